// regsvr32 registers Foldwise.dll exactly as its script says and takes away only what
// belongs to the library.
#include "tests/foldwise/foldwise_rig.h"

#include <gtest/gtest.h>

#include <vector>

using namespace foldwise_test;

namespace {

const std::wstring kClassKey = std::wstring(L"CLSID\\") + kClsidText;
const std::wstring kHandlers = L"Folder\\Shellex\\PropertySheetHandlers";
const std::wstring kHandlerKey = kHandlers + L"\\" + kClsidText;

struct ExpectedKey {
    std::wstring path;
    const wchar_t* defaultText; // null: the key has no values at all
    std::vector<std::wstring> subkeys;
};

std::wstring shortLibraryPath()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetShortPathNameW(libraryPath().c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer) : libraryPath();
}

} // namespace

TEST(registration, writesEveryKeyOfTheScriptAndNothingElse)
{
    const std::vector<ExpectedKey> expected = {
        {L"Foldwise.UsePage.1", L"UsePage Class", {L"CLSID"}},
        {L"Foldwise.UsePage.1\\CLSID", kClsidText, {}},
        {L"Foldwise.UsePage", L"UsePage Class", {L"CLSID", L"CurVer"}},
        {L"Foldwise.UsePage\\CLSID", kClsidText, {}},
        {L"Foldwise.UsePage\\CurVer", L"Foldwise.UsePage.1", {}},
        {kClassKey,
         L"UsePage Class",
         {L"InprocServer32", L"ProgID", L"Programmable", L"TypeLib", L"VersionIndependentProgID"}},
        {kClassKey + L"\\ProgID", L"Foldwise.UsePage.1", {}},
        {kClassKey + L"\\VersionIndependentProgID", L"Foldwise.UsePage", {}},
        {kClassKey + L"\\Programmable", nullptr, {}},
        {kClassKey + L"\\TypeLib", kLibidText, {}},
        {kHandlerKey, nullptr, {}},
    };
    for (const ExpectedKey& key : expected) {
        SCOPED_TRACE(std::string(key.path.begin(), key.path.end()));
        ASSERT_TRUE(keyExists(key.path));
        EXPECT_EQ(subkeyNames(key.path), key.subkeys);
        if (key.defaultText == nullptr) {
            EXPECT_TRUE(valueNames(key.path).empty());
            continue;
        }
        EXPECT_EQ(valueNames(key.path), std::vector<std::wstring>{L""});
        std::wstring text;
        ASSERT_TRUE(readText(key.path, L"", text));
        EXPECT_EQ(text, key.defaultText);
    }
}

TEST(registration, theServerIsTheLibraryByItsShortPathInTheApartment)
{
    const std::wstring server = kClassKey + L"\\InprocServer32";
    EXPECT_EQ(valueNames(server), (std::vector<std::wstring>{L"", L"ThreadingModel"}));
    std::wstring path;
    ASSERT_TRUE(readText(server, L"", path));
    EXPECT_EQ(path, shortLibraryPath());
    // Whatever its form, it names this very file.
    wchar_t longForm[MAX_PATH] = {};
    GetLongPathNameW(path.c_str(), longForm, MAX_PATH);
    EXPECT_EQ(
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, longForm, -1, libraryPath().c_str(), -1),
        CSTR_EQUAL);
    std::wstring model;
    ASSERT_TRUE(readText(server, L"ThreadingModel", model));
    EXPECT_EQ(model, L"Apartment");
}

TEST(registration, registersTheEmbeddedTypeLibrary)
{
    std::wstring help;
    ASSERT_TRUE(readText(std::wstring(L"TypeLib\\") + kLibidText + L"\\1.0", L"", help));
    EXPECT_EQ(help, L"Foldwise 1.0 Type Library");
    CLSID fromProgId{};
    ASSERT_EQ(CLSIDFromProgID(L"Foldwise.UsePage", &fromProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(fromProgId, kClsidUsePage));
}

TEST(registration, unregistrationRemovesOnlyTheLibrarysOwnKeys)
{
    ASSERT_EQ(runRegsvr32(true), 0u);
    const bool classGone = !keyExists(kClassKey);
    const bool progIdGone = !keyExists(L"Foldwise.UsePage.1");
    const bool independentGone = !keyExists(L"Foldwise.UsePage");
    const bool handlerGone = !keyExists(kHandlerKey);
    const bool typeLibraryGone = !keyExists(std::wstring(L"TypeLib\\") + kLibidText);
    const bool sharedKeysKept = keyExists(L"CLSID") && keyExists(L"Folder") &&
                                keyExists(L"Folder\\Shellex") && keyExists(kHandlers);
    // The rest of the suite needs the library registered again.
    ASSERT_EQ(runRegsvr32(false), 0u);
    EXPECT_TRUE(classGone);
    EXPECT_TRUE(progIdGone);
    EXPECT_TRUE(independentGone);
    EXPECT_TRUE(handlerGone);
    EXPECT_TRUE(typeLibraryGone);
    EXPECT_TRUE(sharedKeysKept);
}
