// The framework's page control with its tabs on the left (TPageControl,
// TabPosition tpLeft), as a QTabWidget: the tabs stand one below the other
// at the left edge and their captions read across, whole; a pane too short
// for every tab scrolls them with the tab bar's buttons rather than cutting
// the captions.
#pragma once

class QTabWidget;

void SetTabsOnTheLeft(QTabWidget& pages);
