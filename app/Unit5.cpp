#include "app/Unit5.h"

#include "app/Getver.h"
#include "platform/Jpeg.h"
#include "platform/Panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox* AboutBox = nullptr;

namespace {

QLabel* CentredLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : TModalForm(parent)
{
    setObjectName("AboutBox");
    setWindowTitle(" About...");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Panel1 = new TPanel(this);
    Panel1->setObjectName("Panel1");
    Panel1->SetBevelOuter(TBevelCut::bvNone);
    Panel1->SetBevelInner(TBevelCut::bvLowered);
    Panel1->SetParentColor(true);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setFixedSize(AboutBoxPicture.Width, AboutBoxPicture.Height);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    const QImage picture = LoadJpegPicture(AboutBoxPicture.Path);
    if (!picture.isNull()) ProgramIcon->setPixmap(QPixmap::fromImage(picture));

    ProductName = CentredLabel("Velmora Chess " + QString::fromStdString(Getver::GetV()), Panel1);
    ProductName->setObjectName("ProductName");
    QFont bold = ProductName->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    ProductName->setFont(bold);
    Copyright = CentredLabel("A reader and annotator of PGN chess games.\n"
                             "Fonts derived from DejaVu and GNU FreeFont.",
                             Panel1);
    Copyright->setObjectName("Copyright");
    Comments = CentredLabel("Comments and bug reports: velmora-chess@example.org", Panel1);
    Comments->setObjectName("Comments");

    auto* inside = new QVBoxLayout(Panel1);
    inside->setContentsMargins(10, 10, 10, 10);
    inside->addWidget(ProgramIcon, 0, Qt::AlignHCenter);
    inside->addWidget(ProductName);
    inside->addWidget(Copyright);
    inside->addWidget(Comments);

    OKButton = new QPushButton("Close", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    SetModalResult(OKButton, mrOk);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
