#include "mail/center/center_pages.h"

#include "common/win/message_box.h"
#include "mail/notify/notify_sound.h"
#include "mail/plugin/res/resource.h"

#include <commdlg.h>

#include <mutex>
#include <utility>

namespace mail {

namespace {

constexpr char kClientFilter[] = "Executable Files (*.exe)|*.exe|All Files (*.*)|*.*||";
constexpr char kClientExtension[] = "exe";
constexpr char kSoundFilter[] = "Sound Files (*.wav)|*.wav|All Files (*.*)|*.*||";
constexpr char kSoundExtension[] = "wav";
constexpr WORD kInformationIcon = 32516; // the system's IDI_INFORMATION

// Asks for an existing file with the open-file dialog, starting from `path`; false when
// the user cancelled. `filter` separates its parts with '|'.
bool chooseFile(HWND owner, const char* filter, const char* extension, std::string& path)
{
    std::string parts = filter;
    for (char& c : parts) {
        if (c == '|')
            c = '\0';
    }
    char file[MAX_PATH] = "";
    path.copy(file, sizeof file - 1);
    OPENFILENAMEA open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = owner;
    open.lpstrFilter = parts.c_str();
    open.lpstrFile = file;
    open.nMaxFile = sizeof file;
    open.lpstrDefExt = extension;
    open.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&open))
        return false;
    path = file;
    return true;
}

// The "Choose" button of a page: the chosen file replaces the text of `edit`.
void chooseInto(DialogControls& page, int edit, const char* filter, const char* extension)
{
    std::string path = page.text(edit);
    if (chooseFile(page.hwnd(), filter, extension, path))
        page.setText(edit, path);
}

// Account fields that a checking thread may read are changed under the account's data
// lock, as everywhere else; a lock that cannot be had in time does not stop the change.
template <typename Change> void changeAccount(CMailAccount& account, Change change)
{
    std::unique_lock<std::timed_mutex> hold(account.dataLock, kLockWait);
    change();
}

void writeProfileOf(MailUiHost& host, const CMailAccount& account)
{
    if (auto profile = host.profile(true))
        center::writeAccountProfile(*profile, account);
}

} // namespace

// ---- Help page -------------------------------------------------------------------------

CHelpPage::CHelpPage(HINSTANCE module, std::string helpText, std::function<void()> addAccount)
    : CEZPropertyPage(IDD_CENTER_HELP, module), helpText_(std::move(helpText)),
      addAccount_(std::move(addAccount))
{
}

void CHelpPage::onInit()
{
    setText(IDC_HELP_TEXT, helpText_);
    SendMessageA(item(IDC_HELP_PICTURE), STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(nullptr, MAKEINTRESOURCEA(kInformationIcon))),
                 0);
}

bool CHelpPage::onCommand(int id, int)
{
    if (id != IDC_HELP_ADD_ACCOUNT)
        return false;
    if (addAccount_)
        addAccount_();
    return true;
}

// ---- General ---------------------------------------------------------------------------

CPrefGeneralPage::CPrefGeneralPage(MailUiHost& host)
    : CEZPropertyPage(IDD_PREF_GENERAL, host.module()), host_(host)
{
}

void CPrefGeneralPage::onInit()
{
    center::GeneralPrefs prefs;
    if (auto profile = host_.profile(false))
        prefs = center::readGeneralPrefs(*profile);
    setText(IDC_GEN_SMTP, prefs.smtpServer);
    setText(IDC_GEN_CLIENT, prefs.mailClient);
}

bool CPrefGeneralPage::onCommand(int id, int)
{
    if (id != IDC_GEN_CHOOSE)
        return false;
    chooseInto(*this, IDC_GEN_CLIENT, kClientFilter, kClientExtension);
    return true;
}

void CPrefGeneralPage::apply()
{
    if (auto profile = host_.profile(true))
        center::writeGeneralPrefs(*profile, {text(IDC_GEN_SMTP), text(IDC_GEN_CLIENT)});
}

// ---- Checking and notifying ------------------------------------------------------------

CPrefMailNotificationPage::CPrefMailNotificationPage(MailUiHost& host, CMailAccount& account)
    : CEZPropertyPage(IDD_PREF_NOTIFY, host.module()), host_(host), account_(account)
{
}

void CPrefMailNotificationPage::onInit()
{
    const center::NotificationFields f =
        center::notificationFields(account_.notify, account_.record.checkInterval);
    setText(IDC_NOT_INTERVAL, f.interval);
    setText(IDC_NOT_TIMEOUT, f.timeout);
    setChecked(IDC_NOT_TRAY_ICON, f.changeTrayIcon);
    setChecked(IDC_NOT_TRAY_POPUP, f.showTrayPopup);
    setChecked(IDC_NOT_DIALOG, f.showDialog);
    setChecked(IDC_NOT_SOUND, f.playSound);
    setText(IDC_NOT_SOUND_FILE, f.soundFile);
    enableSound();
}

center::NotificationFields CPrefMailNotificationPage::fields() const
{
    center::NotificationFields f;
    f.interval = text(IDC_NOT_INTERVAL);
    f.timeout = text(IDC_NOT_TIMEOUT);
    f.changeTrayIcon = checked(IDC_NOT_TRAY_ICON);
    f.showTrayPopup = checked(IDC_NOT_TRAY_POPUP);
    f.showDialog = checked(IDC_NOT_DIALOG);
    f.playSound = checked(IDC_NOT_SOUND);
    f.soundFile = text(IDC_NOT_SOUND_FILE);
    return f;
}

void CPrefMailNotificationPage::enableSound()
{
    enable({IDC_NOT_CHOOSE_SOUND, IDC_NOT_PLAY}, checked(IDC_NOT_SOUND));
}

bool CPrefMailNotificationPage::onCommand(int id, int)
{
    switch (id) {
    case IDC_NOT_SOUND:
        enableSound();
        return true;
    case IDC_NOT_CHOOSE_SOUND:
        chooseInto(*this, IDC_NOT_SOUND_FILE, kSoundFilter, kSoundExtension);
        return true;
    case IDC_NOT_PLAY:
        playNotifySound(text(IDC_NOT_SOUND_FILE));
        return true;
    default:
        return false;
    }
}

void CPrefMailNotificationPage::apply()
{
    const center::NotificationFields f = fields();
    changeAccount(account_, [&] { center::applyNotifyFlags(f, account_.notify); });
    // The profile gets the flags and the sound now; a new time-out reaches it with the
    // next save of the accounts.
    writeProfileOf(host_, account_);
    changeAccount(account_, [&] {
        account_.notify.timeoutSeconds = center::timeoutFromText(f.timeout);
        account_.record.checkInterval = center::intervalFromText(f.interval);
    });
    host_.restartTimer(account_);
}

// ---- Mail client -----------------------------------------------------------------------

namespace {
const std::vector<int> kSelectionChoices = {IDC_CLI_INTERNAL, IDC_CLI_CLIENT};
}

CPrefMailClientPage::CPrefMailClientPage(MailUiHost& host, CMailAccount& account)
    : CEZPropertyPage(IDD_PREF_CLIENT, host.module()), host_(host), account_(account)
{
}

void CPrefMailClientPage::onInit()
{
    setRadioIndex(kSelectionChoices, account_.notify.openClientOnSelect ? 1 : 0);
    setText(IDC_CLI_PATH, account_.notify.mailClientPath);
    enablePath();
}

center::ClientChoice CPrefMailClientPage::choice() const
{
    return {radioIndex(kSelectionChoices) == 1, text(IDC_CLI_PATH)};
}

void CPrefMailClientPage::enablePath()
{
    enable({IDC_CLI_PATH, IDC_CLI_CHOOSE}, choice().openClient);
}

bool CPrefMailClientPage::onCommand(int id, int)
{
    switch (id) {
    case IDC_CLI_INTERNAL:
    case IDC_CLI_CLIENT:
        enablePath();
        return true;
    case IDC_CLI_CHOOSE:
        chooseInto(*this, IDC_CLI_PATH, kClientFilter, kClientExtension);
        return true;
    default:
        return false;
    }
}

bool CPrefMailClientPage::validate()
{
    const std::optional<std::string> refusal = center::clientChoiceRefusal(choice());
    if (!refusal)
        return true;
    messageBox(nullptr, *refusal, host_.hostName(), MB_OK | MB_ICONINFORMATION);
    focus(IDC_CLI_PATH);
    return false;
}

void CPrefMailClientPage::apply()
{
    const center::ClientChoice c = choice();
    changeAccount(account_, [&] { center::applyClientChoice(c, account_.notify); });
    writeProfileOf(host_, account_);
}

// ---- Account details -------------------------------------------------------------------

CAccountDetailsPage::CAccountDetailsPage(MailUiHost& host, CMailAccount& account)
    : CEZPropertyPage(IDD_ACCOUNT_DETAILS, host.module()), account_(account),
      form_(host.module(), host.hostName())
{
}

void CAccountDetailsPage::onInit()
{
    form_.open(*this, account_.record);
}

bool CAccountDetailsPage::validate()
{
    std::optional<AccountDetailsText> fields = form_.checkedFields(*this);
    if (fields)
        checked_ = *fields;
    return fields.has_value();
}

void CAccountDetailsPage::apply()
{
    changeAccount(account_, [&] { applyAccountDetails(checked_, account_.record); });
}

} // namespace mail
