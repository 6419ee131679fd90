// The about box's controls, its creation, the update check at activation and
// the download offer.
#include "ui/about_box.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include "about/about_box_texts.h"
#include "about/about_links.h"
#include "about/update_address.h"
#include "about/update_download.h"
#include "ui/about_module.h"
#include "ui/clickable_label.h"
#include "ui/orvane_application.h"
#include "ui/program_icon.h"
#include "ui/wide_text.h"

namespace orvane::ui {

namespace {

constexpr QSize kSidePictureSize{104, 250};
constexpr int kProgramIconPixels = 48;

// Gives `label` its own text colour: a colour set on the widget stays when
// the application switches styles and palettes.
void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

QLabel* NamedLabel(const char* name, const QColor& colour, int points, bool bold) {
    auto* label = new QLabel;
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    if (colour.isValid()) SetTextColour(label, colour);
    QFont f = label->font();
    if (points > 0) f.setPointSize(points);
    f.setBold(bold);
    label->setFont(f);
    return label;
}

QString ApplicationTitle() {
    auto* app = OrvaneApplication::instance();
    return app ? app->title() : QString::fromLatin1(OrvaneApplication::kInitialTitle);
}

}  // namespace

QString AboutDisplayText(const std::string& text) {
    return Wide(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TAboutBox::TAboutBox(AboutModule& module, QWidget* parent) : QDialog(parent), m_module(module) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    BuildControls();
    FormCreate();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::BuildControls() {
    m_Image1 = new ClickableLabel;
    m_Image1->setObjectName(QStringLiteral("Image1"));
    m_Image1->setPixmap(SidePicture(kSidePictureSize));
    m_Image1->setFixedSize(kSidePictureSize);
    m_Image1->setAccessibleName(QStringLiteral("Orvane home page"));
    m_Image1->setToolTip(QString::fromLatin1(kMakerHomePage));
    m_Image1->SetAction([this] { Image1Click(); });

    m_ProgramIcon = new QLabel;
    m_ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    m_ProgramIcon->setPixmap(ProgramPixmap(kProgramIconPixels));
    m_ProgramIcon->setFixedSize(kProgramIconPixels, kProgramIconPixels);
    m_ProgramIcon->setAccessibleName(QStringLiteral("Program icon"));

    m_Label1 = NamedLabel("Label1", kLabel1Colour, 16, true);
    m_ProgramName = NamedLabel("ProgramName", kProgramNameColour, 8, false);
    m_ProgramName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_Label_Ver = NamedLabel("Label_Ver", QColor(), 0, true);
    m_UpdateDate = new QLabel;
    m_UpdateDate->setObjectName(QStringLiteral("UpdateDate"));
    m_UpdateDate->setTextFormat(Qt::PlainText);

    m_Company = new ClickableLabel;
    m_Company->setObjectName(QString::fromLatin1(kCompanyLabelName));
    m_Company->setTextFormat(Qt::PlainText);
    SetTextColour(m_Company, kCompanyColour);
    m_Company->SetAction([this] { CompanyLabelClick(); });

    m_SpeedButton1 = new QPushButton;
    m_SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    m_SpeedButton1->setAutoDefault(false);
    // Room for the two lines of "Different Version: ... available online".
    m_SpeedButton1->setMinimumHeight(fontMetrics().lineSpacing() * 2 + 14);
    connect(m_SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); },
            Qt::QueuedConnection);

    m_OKButton = new QPushButton(QStringLiteral("OK"));
    m_OKButton->setObjectName(QStringLiteral("OKButton"));
    m_OKButton->setDefault(true);
    connect(m_OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    names->addWidget(m_Label1);
    names->addWidget(m_ProgramName);
    auto* head = new QHBoxLayout;
    head->addWidget(m_ProgramIcon, 0, Qt::AlignTop);
    head->addLayout(names, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_OKButton);

    auto* right = new QVBoxLayout;
    right->addLayout(head);
    right->addSpacing(8);
    right->addWidget(m_Label_Ver);
    right->addWidget(m_UpdateDate);
    right->addSpacing(4);
    right->addWidget(m_Company);
    right->addSpacing(8);
    right->addWidget(m_SpeedButton1);
    right->addStretch(1);
    right->addLayout(buttons);

    auto* root = new QHBoxLayout(this);
    root->addWidget(m_Image1, 0, Qt::AlignTop);
    root->addLayout(right, 1);
    // The user cannot resize the box; it keeps the size its contents need.
    root->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(420);
}

void TAboutBox::FormCreate() {
    const AboutBoxTexts texts = AboutFormCreate(m_module.session(), Narrow(ApplicationTitle()),
                                                Narrow(m_module.programPath()), UpdateBaseAddress());
    setWindowTitle(Wide(texts.caption));
    setWindowIcon(orvane::ui::ProgramIcon());
    m_ProgramName->setText(Wide(texts.ProgramName));
    m_Label1->setText(Wide(texts.Label1));
    m_Label_Ver->setText(Wide(texts.Label_Ver));
    m_UpdateDate->setText(Wide(texts.UpdateDate));
    m_Company->setText(Wide(texts.companyName));
    m_Company->setAccessibleName(Wide(texts.companyName));
    // The last check's values stay until the next one.
    m_view.company_hint = m_module.session().s_website;
    ShowView();
}

QLabel* TAboutBox::CompanyLabel() const { return m_Company; }

void TAboutBox::ShowView() {
    const QString button = AboutDisplayText(m_view.SpeedButton1);
    m_SpeedButton1->setText(button);
    m_SpeedButton1->setAccessibleName(button);
    m_Label_Ver->setToolTip(AboutDisplayText(m_view.Label_Ver_hint));
    m_Company->setToolTip(AboutDisplayText(m_view.company_hint));
}

void TAboutBox::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Centred on the screen the box opens on.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s) return;
    QRect frame = frameGeometry();
    frame.moveCenter(s->availableGeometry().center());
    move(frame.topLeft());
}

void TAboutBox::FormActivate() {
    if (!m_check) m_check = std::make_unique<UpdateCheck>(m_module.http());
    if (m_check->Start(m_module.session(), m_view, [this] { ShowView(); })) ShowView();
}

void TAboutBox::SpeedButton1Click() {
    AboutSession& session = m_module.session();
    const QString programPath = m_module.programPath();
    QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (downloads.isEmpty()) downloads = QDir::homePath();
    const DownloadPlan plan = PlanDownload(session, Narrow(QFileInfo(programPath).absolutePath()),
                                           Narrow(downloads), FileNamePart(Narrow(programPath)));
    const Dialogs::Answer answer = OrvaneApplication::CurrentDialogs().YesNoCancel(
        this, QString::fromLatin1(kConfirmCaption), AboutDisplayText(DownloadQuestion(session, plan)));
    if (answer != Dialogs::Answer::Yes) return;
    if (!plan.refused && !plan.inProgramFolder) QDir().mkpath(Wide(plan.folder));
    m_module.SetMessageParent(this);
    if (!m_module.download().Start(session, plan))
        OrvaneApplication::CurrentDialogs().Message(
            this, MsgIcon::None, ApplicationTitle(),
            QStringLiteral("A download is still running; wait for it to end."));
}

void TAboutBox::Image1Click() { m_module.opener().Open(kMakerHomePage); }

void TAboutBox::CompanyLabelClick() { m_module.opener().Open(CompanyLabelTarget(m_module.session())); }

}  // namespace orvane::ui
