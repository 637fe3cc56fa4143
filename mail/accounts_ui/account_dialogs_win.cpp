#include "mail/accounts_ui/account_dialogs_win.h"

#include "common/win/gdi.h"
#include "common/win/message_box.h"
#include "common/win/property_sheet.h"
#include "mail/accounts_ui/account_details.h"
#include "mail/plugin/res/resource.h"

#include <cstdlib>
#include <utility>

namespace mail {

namespace {

constexpr UINT kInformationBox = MB_OK | MB_ICONINFORMATION;

// Which edit control holds which field of the page.
struct FieldControl {
    int id;
    std::string AccountDetailsText::*field;
};

constexpr FieldControl kFieldControls[] = {
    {IDC_ACC_NAME, &AccountDetailsText::name},
    {IDC_ACC_USER, &AccountDetailsText::userName},
    {IDC_ACC_PASSWORD, &AccountDetailsText::password},
    {IDC_ACC_SERVER, &AccountDetailsText::server},
    {IDC_ACC_PORT, &AccountDetailsText::port},
    {IDC_ACC_YOUR_NAME, &AccountDetailsText::yourName},
    {IDC_ACC_REPLY, &AccountDetailsText::replyAddress},
};

// The labels of the fields an account cannot do without.
constexpr int kRequiredLabels[] = {IDC_ACC_NAME_LABEL, IDC_ACC_USER_LABEL, IDC_ACC_PASSWORD_LABEL,
                                   IDC_ACC_SERVER_LABEL, IDC_ACC_PORT_LABEL};

int controlOf(DetailsField field)
{
    switch (field) {
    case DetailsField::Name:
        return IDC_ACC_NAME;
    case DetailsField::Server:
        return IDC_ACC_SERVER;
    case DetailsField::Port:
        return IDC_ACC_PORT;
    case DetailsField::UserName:
        return IDC_ACC_USER;
    }
    return IDC_ACC_NAME;
}

FontHandle boldVariant(HFONT font)
{
    LOGFONTA face{};
    if (font == nullptr || GetObjectA(font, sizeof face, &face) == 0)
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof face, &face);
    face.lfWeight = FW_BOLD;
    return FontHandle(CreateFontIndirectA(&face));
}

// The note's picture with its background colour, that of its corners, made
// `background`.
BitmapHandle loadNotePicture(HINSTANCE module, COLORREF background)
{
    BitmapHandle picture(static_cast<HBITMAP>(LoadImageA(module, MAKEINTRESOURCEA(IDB_ACCOUNT_NOTE),
                                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!picture || GetObjectA(picture.get(), sizeof dib, &dib) != sizeof dib ||
        dib.dsBm.bmBits == nullptr || dib.dsBm.bmBitsPixel < 24)
        return picture;
    auto* bits = static_cast<BYTE*>(dib.dsBm.bmBits);
    const int bytesPerPixel = dib.dsBm.bmBitsPixel / 8;
    // The first pixel in memory is a corner, whichever way up the rows are stored.
    const BYTE key[3] = {bits[0], bits[1], bits[2]};
    const BYTE face[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < std::abs(dib.dsBm.bmHeight); ++y) {
        BYTE* pixel = bits + static_cast<std::ptrdiff_t>(y) * dib.dsBm.bmWidthBytes;
        for (int x = 0; x < dib.dsBm.bmWidth; ++x, pixel += bytesPerPixel) {
            if (pixel[0] == key[0] && pixel[1] == key[1] && pixel[2] == key[2])
                std::copy(face, face + 3, pixel);
        }
    }
    GdiFlush();
    return picture;
}

// The one page of the create and edit sheets. The account changes only when the page
// is confirmed and its fields pass.
class AccountDetailsPage : public PropertyPage {
public:
    AccountDetailsPage(HINSTANCE module, AccountRecord& record, const std::string& hostName)
        : PropertyPage(IDD_ACCOUNT_DETAILS, module), record_(record), form_(module, hostName)
    {
    }

    bool applied() const { return applied_; }

protected:
    void onInit() override { form_.open(*this, record_); }

    bool onApply(bool) override
    {
        const std::optional<AccountDetailsText> fields = form_.checkedFields(*this);
        if (!fields)
            return false;
        applyAccountDetails(*fields, record_);
        applied_ = true;
        return true;
    }

private:
    AccountRecord& record_;
    AccountDetailsForm form_;
    bool applied_ = false;
};

} // namespace

AccountDetailsForm::AccountDetailsForm(HINSTANCE module, std::string hostName)
    : module_(module), hostName_(std::move(hostName))
{
}

void AccountDetailsForm::open(DialogControls& page, const AccountRecord& record)
{
    const AccountDetailsText fields = accountDetailsText(record);
    for (const FieldControl& control : kFieldControls)
        page.setText(control.id, fields.*control.field);

    bold_ = boldVariant(reinterpret_cast<HFONT>(SendMessageA(page.hwnd(), WM_GETFONT, 0, 0)));
    for (int id : kRequiredLabels)
        SendMessageA(page.item(id), WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);

    note_ = loadNotePicture(module_, GetSysColor(COLOR_BTNFACE));
    SendMessageA(page.item(IDC_ACC_NOTE_PICTURE), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(note_.get()));
}

std::optional<AccountDetailsText> AccountDetailsForm::checkedFields(DialogControls& page)
{
    AccountDetailsText fields;
    for (const FieldControl& control : kFieldControls)
        fields.*control.field = page.text(control.id);
    const std::optional<DetailsRefusal> refusal = validateAccountDetails(fields);
    page.setText(IDC_ACC_PORT, fields.port);
    if (!refusal)
        return fields;
    messageBox(nullptr, refusal->message, hostName_, kInformationBox);
    const int id = controlOf(refusal->field);
    page.focus(id);
    SendMessageA(page.item(id), EM_SETSEL, 0, -1);
    return std::nullopt;
}

bool runAccountSheet(HINSTANCE module, const std::string& title, AccountRecord& record,
                     const std::string& hostName)
{
    AccountDetailsPage page(module, record, hostName);
    PropertySheetFrame sheet(title, PSH_NOAPPLYNOW);
    sheet.addPage(page);
    sheet.runModal(nullptr, 0);
    return page.applied();
}

bool createAccount(HINSTANCE module, const std::string& hostName, AccountRecord& record)
{
    if (!runAccountSheet(module, createAccountTitle(hostName), record, hostName))
        return false;
    messageBox(nullptr, accountAddedMessage(record.name), hostName, kInformationBox);
    return true;
}

bool editAccount(HINSTANCE module, const std::string& hostName, AccountRecord& record)
{
    return runAccountSheet(module, editAccountTitle(hostName), record, hostName);
}

} // namespace mail
