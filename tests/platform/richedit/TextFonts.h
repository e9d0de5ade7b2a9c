// The notation's text fonts for tests that lay out or print documents.
#pragma once

// Adds "VelmoraChess Swiss" and "VelmoraChess Times" (regular and bold) to
// the test application once; they are removed before it ends. False when a
// family could not be added.
bool UseTextFonts();
