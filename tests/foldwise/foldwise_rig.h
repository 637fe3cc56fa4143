#pragma once
// What the Foldwise.dll suites share: the library beside the test program, its
// registration through the system's regsvr32, the registry as this architecture's
// view shows it, the identities the shell knows the library by, and a data object
// that hands over a file list the way the shell does.
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace foldwise_test {

// The identities as the shell and the registry know them, written out here rather
// than taken from the library's own headers.
const CLSID kClsidUsePage = {
    0x72F57093, 0x924C, 0x4611, {0x8A, 0xC0, 0x2B, 0xE3, 0x21, 0x99, 0xFD, 0x51}};
const IID kIidUsePage = {
    0x627FA861, 0x6592, 0x4DFA, {0xA6, 0x28, 0x88, 0x1A, 0x40, 0xB7, 0x29, 0x52}};
constexpr const wchar_t* kClsidText = L"{72F57093-924C-4611-8AC0-2BE32199FD51}";
constexpr const wchar_t* kLibidText = L"{5B292892-6293-47AC-93B6-AD9D52F8AE75}";

// Full path of Foldwise.dll beside this program.
std::wstring libraryPath();
// The library, loaded once for the whole run.
HMODULE library();
// Runs the system's regsvr32 of this program's architecture (/s, and /u when
// unregistering) on the library; its exit code.
DWORD runRegsvr32(bool unregister);

// Registry of this architecture's view under HKEY_CLASSES_ROOT.
bool keyExists(const std::wstring& path);
// A text value (empty name: the default value); false when missing or not text.
bool readText(const std::wstring& path, const wchar_t* name, std::wstring& text);
// Names of the key's values and subkeys, sorted.
std::vector<std::wstring> valueNames(const std::wstring& path);
std::vector<std::wstring> subkeyNames(const std::wstring& path);

// DllCanUnloadNow of the loaded library.
HRESULT canUnloadNow();

// An IDataObject that answers CF_HDROP with its list, wide or ANSI. It counts how
// often the media it handed out were released.
class DropData final : public IDataObject {
public:
    DropData(std::vector<std::wstring> paths, bool wide);
    // A data object whose GetData fails after scribbling into the medium.
    static DropData* failing();

    int mediaReleased() const { return releases_; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
    // Counts the releases of a handed-out medium (its pUnkForRelease).
    class ReleaseCounter : public IUnknown {
    public:
        explicit ReleaseCounter(int& count) : count_(count) {}
        STDMETHODIMP QueryInterface(REFIID, void** object) override
        {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return 1; }
        STDMETHODIMP_(ULONG) Release() override
        {
            ++count_;
            return 1;
        }

    private:
        int& count_;
    };

    ~DropData();

    std::vector<std::wstring> paths_;
    bool wide_;
    bool fail_ = false;
    LONG references_ = 1;
    int releases_ = 0;
    ReleaseCounter counter_{releases_};
    std::vector<HGLOBAL> handedOut_;
};

// A UsePage created through COM, initialised with one folder.
IShellExtInit* createInitialised(const std::wstring& folder);

} // namespace foldwise_test
