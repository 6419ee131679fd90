// Start-up, activation, the instance protocol (instance number, window
// messages, shared block), settings and shut-down of the main window.
#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <exception>

#include "about/version_info.h"
#include "engine/errors.h"
#include "platform/ini_file.h"
#include "platform/instance_claim.h"
#include "platform/lock_file_title_registry.h"
#include "platform/runtime_dir.h"
#include "platform/settings_path.h"
#include "platform/shm_shared_block.h"
#include "platform/socket_message_sender.h"
#include "tools/share_memory_open.h"
#include "ui/about_module.h"
#include "ui/after_shown.h"
#include "ui/calculator_panel.h"
#include "ui/field_grid.h"
#include "ui/install_layout.h"
#include "ui/main_window.h"
#include "ui/maker_links.h"
#include "ui/memo_file.h"
#include "ui/model/calculator_text.h"
#include "ui/orvane_application.h"
#include "ui/pages/browser_page.h"
#include "ui/pages/main_page.h"
#include "ui/pages/web_data_page.h"
#include "ui/speech_menu.h"
#include "ui/wide_text.h"
#include "ui/window_message_port.h"
#include "ui/window_settings.h"
#include "variables/instance_slots.h"
#include "webdata/daily_check.h"
#include "webdata/web_data_fetcher.h"
#include "webdata/web_definitions.h"

namespace orvane::ui {

namespace {

OrvaneApplication* App() { return OrvaneApplication::instance(); }

Dialogs& DialogsOf() { return OrvaneApplication::CurrentDialogs(); }

// The help pages: the contents, and the expression topic beside it.
constexpr const char* kHelpContentsPage = "index.html";
constexpr const char* kExpressionHelpPage = "Expression_Process.htm";

std::string RuntimeDirOf(const std::string& option) {
    return option.empty() ? platform::DefaultRuntimeDir() : option;
}

// The warning of a copy that cannot register: `reason` names the folder or
// file and what is wrong with it.
std::string UnregisteredWarning(const std::string& reason, bool withoutSharedBlock) {
    return "This copy of Orvane cannot be registered (" + reason +
           "). It runs without an instance number" +
           (withoutSharedBlock ? " and without the shared block." : ".");
}

}  // namespace

// --- start-up -------------------------------------------------------------------------

void TForm1::FormCreate() {
    try {
        m_programPath = m_options.programPath.isEmpty() ? Wide(platform::ProgramFilePath())
                                                        : m_options.programPath;
        // 1. The program's version (shown by the about box).
        m_version_Str = Wide(GetFileVersion(Narrow(m_programPath)));
        m_about->SetVersion(Narrow(m_version_Str));
        m_about->SetProgramPath(m_programPath);
        // 2. One Style menu item per offered style.
        BuildStyleMenu();
        // 3. The settings file.
        m_Ini_name = m_options.iniPath.isEmpty()
                         ? Wide(platform::SettingsFilePath(Narrow(m_programPath),
                                                           platform::UserConfigDir()))
                         : m_options.iniPath;
        AppendMemo2(QStringLiteral("ini path & name: ") + m_Ini_name);
        // 4. Style, size, position and speech switches.
        Action_Load_styleExecute();
        // 5. The help pages beside the program (or where it is installed).
        const QString helpDir =
            m_options.helpDir.isEmpty() ? DefaultHelpDir(m_programPath) : m_options.helpDir;
        m_hpPath = helpDir + u'/' + QString::fromLatin1(kHelpContentsPage);
        // 6. The shared block (a failure is a warning box; start-up goes on).
        OpenSharedBlock();
        // 7. The caption until a number is claimed (with the version read in step 1).
        m_baseTitle = m_programPath + QStringLiteral("    (Ver: ") + m_version_Str + u')';
        setWindowTitle(m_baseTitle + QStringLiteral(" (?)"));
        // 8. The instance number.
        ClaimInstanceNumber();
        // 9. Empty variable tables.
        SystemReset();
        // 10. The field table.
        Action_load_table_contentsExecute();
        // 11. The memo's lines from the last run.
        LoadMemoFile();
        // 12. The web-data definitions: the file beside the settings file
        // into the editor, or the built-in ones written out as that file.
        m_fetcher->SetDefinitionsPath(Narrow(WebDataPath()));
        m_webDataPage->Button5Click();
        // 13. The speech voices: listing them takes the engine a while, so
        // it runs once the window is on the screen.
        RunAfterFirstShown(*this, [this] { m_speech->Listspeechlanguage1Click(); });
        // The web engine starts while its page is hidden, once the window is
        // on the screen; Timer0 then loads the start page in the background.
        // Nobody has to visit the browser page for it.
        RunAfterFirstShown(*this, [this] { m_browserPage->WarmUp(); });
        // Keys typed before the first activation has run reach the
        // expression box already.
        m_Panel4->ComboBoxExpression()->setFocus();
    } catch (...) {
        // The remaining steps are skipped; the window still opens.
        if (App()) App()->ReportError(std::current_exception());
    }
}

void TForm1::OpenSharedBlock() {
    // An unusable runtime folder is reported once, here: the shared block's
    // locks and the instance number live in it, so the copy runs without both.
    if (const std::string dir = RuntimeDirOf(m_options.runtimeDir),
        problem = platform::RuntimeDirProblem(dir);
        !problem.empty()) {
        m_runtimeDirProblem = true;
        ShowMessage(MsgIcon::Warning, UnregisteredWarning(dir + ": " + problem, true));
        return;
    }
    platform::SharedBlockOptions options;
    if (!m_options.sharedBlockName.empty()) options.name = m_options.sharedBlockName;
    options.runtime_dir = m_options.runtimeDir;
    m_session.SetSharedBlock(OpenShareMemory(*this, options));
}

void TForm1::ClaimInstanceNumber() {
    // The listener comes first: once the slot names this window, other copies
    // may send to it.
    QString why;
    m_messagePort = WindowMessagePort::Create(
        m_options.runtimeDir, platform::OwnWindowHandle(),
        [this](const platform::WindowMessage& m) { OnMyMessage(m); }, &why);
    if (!m_messagePort) AppendMemo2(QStringLiteral("Window messages cannot be received: ") + why);

    if (m_runtimeDirProblem) return;  // reported already; caption " (?)"
    platform::LockFileTitleRegistry registry(m_options.runtimeDir);
    platform::InstanceClaim claim = platform::ClaimInstanceNumber(registry, Narrow(m_baseTitle));
    switch (claim.outcome) {
        case platform::InstanceClaim::Outcome::Claimed:
            m_instance_suffix = Wide(claim.suffix);
            m_session.set_instance_no(claim.number);
            RegisterInstance(m_session.MapFilePointer(), claim.number, platform::OwnWindowHandle());
            setWindowTitle(m_baseTitle + m_instance_suffix);
            if (App()) App()->setTitle(m_instance_suffix + QStringLiteral("Orvane"));
            m_titleHold = std::move(claim.hold);
            break;
        case platform::InstanceClaim::Outcome::Refused:
            m_instance_suffix = Wide(claim.suffix);
            m_session.set_instance_no(claim.number);
            ShowMessage(MsgIcon::Error, "Maximum number of Orvane are 8");
            m_terminated = true;
            break;
        case platform::InstanceClaim::Outcome::Unregistered:
            ShowMessage(MsgIcon::Warning, UnregisteredWarning(claim.reason, false));
            break;
        case platform::InstanceClaim::Outcome::NoNumber:
            // Every title up to " (9)" is in use: run without a number or slot.
            break;
    }
}

void TForm1::LoadMemoFile() {
    const QString path =
        m_options.memoPath.isEmpty() ? QString::fromLatin1(kMemoFileName) : m_options.memoPath;
    if (!QFileInfo::exists(path)) return;  // the example lines stay
    QStringList lines;
    QString error;
    if (!LoadMemoLines(path, lines, &error, &m_memoFileFormat)) {
        m_memoLoadFailed = true;
        throw EOrvane("EFOpenError", Narrow(error));
    }
    m_memoAccess.SetLines(lines);
}

void TForm1::SaveMemoFile() {
    if (m_memoLoadFailed) return;
    const QString path =
        m_options.memoPath.isEmpty() ? QString::fromLatin1(kMemoFileName) : m_options.memoPath;
    QString error;
    if (!SaveMemoLines(path, m_memoAccess.Lines(), &error, &m_memoFileFormat))
        throw EOrvane("EFCreateError", Narrow(error));
}

// --- activation and timers ---------------------------------------------------------------

void TForm1::OnFocusWindowChanged(QWindow* window) {
    // Menus and tool tips do not take the activation; leaving the program
    // (no focus window) and coming back is no activation of this window.
    if (!window || window->type() == Qt::Popup || window->type() == Qt::ToolTip) return;
    QWindow* previous = m_lastFocusWindow;
    m_lastFocusWindow = window;
    if (window != windowHandle()) return;
    if (m_activatedOnce && previous == window) return;
    m_activatedOnce = true;
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TForm1::FormActivate() {
    m_calc.ShowStatusHeadings(CalculatorModel::Headings::Activation);
    StatusLine2Show(kPanelBinary, HandleText(uint32_t(platform::OwnWindowHandle())));
    // The web view needs no visit to warm up, so no page switch and no wait:
    // keys typed meanwhile are never lost. Coming back from a dialog keeps
    // the page the user was on, and Qt gives the focus back to the control
    // that had it.
    if (m_firstActivationDone) return;
    m_firstActivationDone = true;
    m_PageControl1->setCurrentWidget(m_mainPage);
    m_Panel4->ComboBoxExpression()->setFocus();
    Adjtablewidth1Click();
}

void TForm1::Timer0Timer() {
    m_Timer0->stop();
    // The address box's address, as it stands. Opening it loads it afresh,
    // which is the refresh: a reload right behind the navigation could only
    // cancel it or load the page twice.
    m_browserPage->browser().Navigate(m_browserPage->Box(webdata::WebBox::Combo_web));
    if (webdata::currency_update(Narrow(WebDataPath()), *this) == webdata::Timer1State::Enabled)
        m_Timer1->start();
    else
        m_Timer1->stop();
}

void TForm1::Timer1Timer() {
    m_Timer1->stop();
    const int32_t n = webdata::Timer1Timer(*this, Narrow(m_webDataPage->Edit1()->text()));
    m_fetcher->LoadCurrency(n);
}

void TForm1::LoadCurrency1Click() {
    m_PageControl1->setCurrentWidget(m_browserPage);
    m_webDataPage->Button_getCurrencyClick();
    m_PageControl1->setCurrentIndex(0);
}

QString TForm1::WebDataPath() const {
    return QFileInfo(m_Ini_name).absolutePath() + u'/' + QString::fromLatin1(webdata::kWebDataFileName);
}

// --- window messages and the shared block ----------------------------------------------

void TForm1::OnMyMessage(const platform::WindowMessage& message) {
    if (message.msg != platform::WM_KOR_MESSAGE0) return;
    ShowMessage(MsgIcon::None, std::to_string(platform::OwnWindowHandle()) +
                                   " wmme 第一种消息处理方式");
    AppendMemo_test(QString::asprintf("got message:%5lld", static_cast<long long>(message.wparam)));
}

void TForm1::Button11Click() {
    platform::SocketMessageSender sender(m_options.runtimeDir,
                                         m_messagePort ? &m_messagePort->listener() : nullptr);
    sender.Send(platform::OwnWindowHandle(), {platform::WM_KOR_MESSAGE0, 0, 0});
}

void TForm1::adjWindow1Click() {
    platform::SocketMessageSender sender(m_options.runtimeDir,
                                         m_messagePort ? &m_messagePort->listener() : nullptr);
    adjWindow(m_session.MapFilePointer(), sender);  // WParam 402, adjWindow's default
}

void TForm1::SystemReset() {
    m_session.SystemReset();
    m_calc.ShowStatusHeadings(CalculatorModel::Headings::Reset);
}

// --- settings and styles ------------------------------------------------------------------

void TForm1::Action_Load_styleExecute() {
    platform::IniDocument ini;
    ini.Load(Narrow(m_Ini_name));  // unreadable or missing: the defaults
    const WindowSettings s = ReadWindowSettings(ini);
    m_style_name = Wide(s.styleName);
    resize(s.width, s.height);
    move(s.left, s.top);
    m_SayEquation->setChecked(s.sayEquation);
    m_SayAnsower->setChecked(s.sayAnsower);
    // Captions compare without the "&" a desktop may add for keyboard access.
    for (QAction* item : m_styleMenu->actions()) {
        const QString caption = QString(item->text()).remove(u'&');
        if (!m_style_name.isEmpty() && caption == m_style_name) {
            item->setChecked(true);
            m_styles.SetStyle(caption);
        } else {
            item->setChecked(false);
        }
    }
}

void TForm1::Action_Save_styleExecute() {
    WindowSettings s;
    s.styleName = Narrow(m_style_name);
    s.width = width();
    s.height = height();
    s.left = x();
    s.top = y();
    s.sayEquation = m_SayEquation->isChecked();
    s.sayAnsower = m_SayAnsower->isChecked();
    // An unwritable settings file keeps its old content; nothing is reported.
    platform::IniFile(Narrow(m_Ini_name)).Update([&](platform::IniDocument& ini) {
        WriteWindowSettings(ini, s);
    });
    SaveMemoFile();
}

void TForm1::StyleClick(QAction* item) {
    const QString name = QString(item->text()).remove(u'&');
    m_style_name = name;
    m_styles.SetStyle(name);
    for (QAction* other : m_styleMenu->actions()) other->setChecked(other == item);
}

// --- field table file ----------------------------------------------------------------------

void TForm1::Action_load_table_contentsExecute() {
    m_table.LoadFile(Narrow(m_Ini_name));
    m_mainPage->fieldGrid().Refresh();  // loading may have added columns
}

void TForm1::Action_save_table_contentsExecute() {
    m_mainPage->fieldGrid().CommitEditor();  // a cell still being edited counts
    m_table.SaveFile(Narrow(m_Ini_name));  // an unwritable file is not reported
    SaveMemoFile();
}

// --- help and web addresses ------------------------------------------------------------------

void TForm1::HelpContentsItemClick() { DialogsOf().OpenUrl(QUrl::fromLocalFile(m_hpPath)); }

void TForm1::Expresion1Click() {
    const QString page = QFileInfo(m_hpPath).absolutePath() + u'/' +
                         QString::fromLatin1(kExpressionHelpPage);
    DialogsOf().OpenUrl(QUrl::fromLocalFile(page));
}

void TForm1::VisitmyHomePage1Click() { DialogsOf().OpenUrl(QUrl(QString::fromLatin1(kHomePageUrl))); }

void TForm1::ShowAboutBox() { m_about->ShowAboutBox(); }

void TForm1::VisitmyGooglesite1Click() {
    DialogsOf().OpenUrl(QUrl(QString::fromLatin1(kSecondSiteUrl)));
}

// --- shut-down -------------------------------------------------------------------------------

void TForm1::FormClose() {
    // Both saves run even when the first fails; the first failure is shown.
    std::exception_ptr failure;
    try {
        Action_save_table_contentsExecute();
    } catch (...) {
        failure = std::current_exception();
    }
    try {
        Action_Save_styleExecute();
    } catch (...) {
        if (!failure) failure = std::current_exception();
    }
    if (failure && App()) App()->ReportError(failure);
}

}  // namespace orvane::ui
