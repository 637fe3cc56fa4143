// The UsePage object as COM and the shell see it: its interfaces, its type
// information, aggregation, Initialize with the shell's file list, and when the
// library may be unloaded.
#include "tests/foldwise/foldwise_rig.h"

#include <gtest/gtest.h>

using namespace foldwise_test;

namespace {

class UsePageObject : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr))); }
    void TearDown() override { CoUninitialize(); }

    template <typename Interface> Interface* create(REFIID iid)
    {
        Interface* object = nullptr;
        EXPECT_EQ(CoCreateInstance(kClsidUsePage, nullptr, CLSCTX_INPROC_SERVER, iid,
                                   reinterpret_cast<void**>(&object)),
                  S_OK);
        return object;
    }

    HRESULT initialize(IDataObject* data)
    {
        IShellExtInit* extension = create<IShellExtInit>(IID_IShellExtInit);
        if (extension == nullptr)
            return E_FAIL;
        const HRESULT result = extension->Initialize(nullptr, data, nullptr);
        extension->Release();
        return result;
    }

    HRESULT initializeWith(const std::vector<std::wstring>& paths, bool wide,
                           int* released = nullptr)
    {
        auto* data = new DropData(paths, wide);
        const HRESULT result = initialize(data);
        if (released != nullptr)
            *released = data->mediaReleased();
        data->Release();
        return result;
    }
};

// An outer object that owns an aggregated UsePage through its inner unknown.
class Outer : public IUnknown {
public:
    IUnknown* inner = nullptr;
    LONG references = 1;
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(iid, object);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }
};

std::wstring pathOfLength(std::size_t length)
{
    std::wstring path = L"C:\\";
    while (path.size() < length)
        path += L'x';
    return path;
}

} // namespace

TEST_F(UsePageObject, answersItsFourInterfacesAsOneObject)
{
    IUnknown* object = create<IUnknown>(IID_IUnknown);
    ASSERT_NE(object, nullptr);
    for (const IID* iid :
         {&kIidUsePage, &IID_IDispatch, &IID_IShellExtInit, &IID_IShellPropSheetExt}) {
        IUnknown* answer = nullptr;
        ASSERT_EQ(object->QueryInterface(*iid, reinterpret_cast<void**>(&answer)), S_OK);
        IUnknown* identity = nullptr;
        ASSERT_EQ(answer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
        EXPECT_EQ(identity, object);
        identity->Release();
        answer->Release();
    }
    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(object->QueryInterface(IID_IPersistFile, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    object->Release();
}

TEST_F(UsePageObject, dispatchIsServedFromTheTypeLibrary)
{
    IDispatch* dispatch = create<IDispatch>(IID_IDispatch);
    ASSERT_NE(dispatch, nullptr);
    UINT count = 0;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualIID(attributes->guid, kIidUsePage));
    EXPECT_NE(attributes->wTypeFlags & TYPEFLAG_FDUAL, 0);
    info->ReleaseTypeAttr(attributes);
    BSTR help = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &help, nullptr, nullptr), S_OK);
    EXPECT_STREQ(help, L"IUsePage Interface");
    SysFreeString(help);
    info->Release();
    // No methods of its own: a name is unknown, a call finds no member.
    OLECHAR name[] = L"Scan";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    DISPPARAMS none{};
    EXPECT_EQ(dispatch->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr,
                               nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    dispatch->Release();
}

TEST_F(UsePageObject, anAggregatedObjectDelegatesToItsOuter)
{
    Outer outer;
    ASSERT_EQ(CoCreateInstance(kClsidUsePage, &outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    IShellExtInit* extension = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&extension)), S_OK);
    // References and identity belong to the outer object.
    EXPECT_EQ(outer.references, 2);
    IUnknown* identity = nullptr;
    ASSERT_EQ(extension->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
    identity->Release();
    extension->Release();
    EXPECT_EQ(outer.references, 1);
    EXPECT_EQ(outer.inner->Release(), 0u);
    // Aggregation hands out only the inner unknown.
    IShellExtInit* refused = nullptr;
    EXPECT_EQ(CoCreateInstance(kClsidUsePage, &outer, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                               reinterpret_cast<void**>(&refused)),
              CLASS_E_NOAGGREGATION);
}

TEST_F(UsePageObject, initializeTakesExactlyOneFolder)
{
    int released = 0;
    EXPECT_EQ(initializeWith({L"C:\\windows"}, true, &released), S_OK);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(initializeWith({L"C:\\windows"}, false, &released), S_OK);
    EXPECT_EQ(initializeWith({L"C:\\windows", L"C:\\users"}, true, &released), E_INVALIDARG);
    EXPECT_EQ(released, 1);
    EXPECT_EQ(initializeWith({}, true), E_INVALIDARG);
    EXPECT_EQ(initialize(nullptr), E_INVALIDARG);
}

TEST_F(UsePageObject, aFailedGetDataLeavesTheMediumAlone)
{
    DropData* data = DropData::failing();
    EXPECT_EQ(initialize(data), E_INVALIDARG);
    EXPECT_EQ(data->mediaReleased(), 0);
    data->Release();
}

TEST_F(UsePageObject, refusesAFolderThatWouldPass259CharactersWithItsSeparator)
{
    EXPECT_EQ(initializeWith({pathOfLength(258)}, true), S_OK);
    EXPECT_EQ(initializeWith({pathOfLength(258) + L"\\"}, true), S_OK);
    EXPECT_EQ(initializeWith({pathOfLength(259)}, true), E_INVALIDARG);
    EXPECT_EQ(initializeWith({pathOfLength(600)}, true), E_INVALIDARG);
}

TEST_F(UsePageObject, theLibraryStaysWhileAnObjectOrALockLives)
{
    EXPECT_EQ(canUnloadNow(), S_OK);
    IUnknown* object = create<IUnknown>(IID_IUnknown);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    object->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);

    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(kClsidUsePage, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->Release();
}

TEST_F(UsePageObject, classObjectOnlyForItsOwnClass)
{
    using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    const auto get = reinterpret_cast<GetClassObject>(
        reinterpret_cast<void*>(GetProcAddress(library(), "DllGetClassObject")));
    ASSERT_NE(get, nullptr);
    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(get(kIidUsePage, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    ASSERT_EQ(get(kClsidUsePage, IID_IClassFactory, &factory), S_OK);
    static_cast<IClassFactory*>(factory)->Release();
}

namespace {

// Skips a name-or-ordinal field of a dialog template.
const WORD* skipNameOrOrdinal(const WORD* at)
{
    if (*at == 0xFFFF)
        return at + 2;
    while (*at != 0)
        ++at;
    return at + 1;
}

} // namespace

TEST(libraryResources, nameStringAndPageTemplate)
{
    char name[32] = {};
    ASSERT_GT(LoadStringA(library(), 100, name, sizeof name), 0);
    EXPECT_STREQ(name, "Foldwise");

    HRSRC found = FindResourceA(library(), MAKEINTRESOURCEA(106), MAKEINTRESOURCEA(5)); // RT_DIALOG
    ASSERT_NE(found, nullptr);
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(library(), found)));
    ASSERT_EQ(words[1], 0xFFFF); // an extended template
    // Version, signature, help id, extended style, style, item count, x, y: then cx, cy.
    const auto* sizes = reinterpret_cast<const short*>(words + 11);
    EXPECT_EQ(sizes[0], 274);
    EXPECT_EQ(sizes[1], 217);
    // Menu, class and title, then the font.
    const WORD* font = skipNameOrOrdinal(skipNameOrOrdinal(skipNameOrOrdinal(words + 13)));
    EXPECT_EQ(font[0], 8);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(font + 3), L"MS Sans Serif");
}
