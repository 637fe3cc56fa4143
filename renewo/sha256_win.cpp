#include "renewo/sha256_win.h"

#include <windows.h>

#include <wincrypt.h>

namespace renewo {

namespace {

// bcrypt.dll is looked up at run time: Renewo.dll must still load where it is absent.
using Status = LONG;
using OpenAlgorithm = Status(WINAPI*)(void**, const wchar_t*, const wchar_t*, ULONG);
using CloseAlgorithm = Status(WINAPI*)(void*, ULONG);
using CreateHash = Status(WINAPI*)(void*, void**, UCHAR*, ULONG, UCHAR*, ULONG, ULONG);
using HashData = Status(WINAPI*)(void*, UCHAR*, ULONG, ULONG);
using FinishHash = Status(WINAPI*)(void*, UCHAR*, ULONG, ULONG);
using DestroyHash = Status(WINAPI*)(void*);

constexpr Status kSuccess = 0;
// CALG_SHA_256, which wincrypt.h declares only for targets newer than XP; XP SP3's
// AES provider knows it.
constexpr ALG_ID kCryptoApiSha256 = ALG_CLASS_HASH | ALG_TYPE_ANY | 12;
constexpr const wchar_t* kSha256Algorithm = L"SHA256";

struct Library {
    HMODULE module = LoadLibraryA("bcrypt.dll");
    ~Library()
    {
        if (module != nullptr)
            FreeLibrary(module);
    }
    template <typename F> F get(const char* name) const
    {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
};

struct BCryptFunctions {
    OpenAlgorithm open;
    CloseAlgorithm close;
    CreateHash create;
    HashData hash;
    FinishHash finish;
    DestroyHash destroy;
    bool complete() const { return open && close && create && hash && finish && destroy; }
};

struct AlgorithmHandle {
    const BCryptFunctions& f;
    void* handle = nullptr;
    ~AlgorithmHandle()
    {
        if (handle != nullptr)
            f.close(handle, 0);
    }
};

struct HashHandle {
    const BCryptFunctions& f;
    void* handle = nullptr;
    ~HashHandle()
    {
        if (handle != nullptr)
            f.destroy(handle);
    }
};

struct Provider {
    HCRYPTPROV handle = 0;
    ~Provider()
    {
        if (handle != 0)
            CryptReleaseContext(handle, 0);
    }
};

struct Hash {
    HCRYPTHASH handle = 0;
    ~Hash()
    {
        if (handle != 0)
            CryptDestroyHash(handle);
    }
};

// The data as the interfaces take it: they do not write through these pointers.
UCHAR* bytes(const char* data)
{
    return reinterpret_cast<UCHAR*>(const_cast<char*>(data));
}

} // namespace

bool sha256WithBCrypt(const char* data, std::uint32_t size, Sha256Bytes& digest)
{
    const Library library;
    if (library.module == nullptr)
        return false;
    const BCryptFunctions f{library.get<OpenAlgorithm>("BCryptOpenAlgorithmProvider"),
                            library.get<CloseAlgorithm>("BCryptCloseAlgorithmProvider"),
                            library.get<CreateHash>("BCryptCreateHash"),
                            library.get<HashData>("BCryptHashData"),
                            library.get<FinishHash>("BCryptFinishHash"),
                            library.get<DestroyHash>("BCryptDestroyHash")};
    if (!f.complete())
        return false;
    AlgorithmHandle algorithm{f};
    if (f.open(&algorithm.handle, kSha256Algorithm, nullptr, 0) != kSuccess)
        return false;
    HashHandle hash{f};
    // No object buffer: the system allocates the hash object (Windows 7 and later; Vista
    // fails here and CryptoAPI takes over).
    if (f.create(algorithm.handle, &hash.handle, nullptr, 0, nullptr, 0, 0) != kSuccess)
        return false;
    if (size != 0 && f.hash(hash.handle, bytes(data), size, 0) != kSuccess)
        return false;
    return f.finish(hash.handle, digest, kSha256Bytes, 0) == kSuccess;
}

bool sha256WithCryptoApi(const char* data, std::uint32_t size, Sha256Bytes& digest)
{
    Provider provider;
    if (!CryptAcquireContextA(&provider.handle, nullptr, nullptr, PROV_RSA_AES,
                              CRYPT_VERIFYCONTEXT))
        return false;
    Hash hash;
    if (!CryptCreateHash(provider.handle, kCryptoApiSha256, 0, 0, &hash.handle))
        return false;
    if (size != 0 && !CryptHashData(hash.handle, bytes(data), size, 0))
        return false;
    DWORD length = kSha256Bytes;
    return CryptGetHashParam(hash.handle, HP_HASHVAL, digest, &length, 0) && length == kSha256Bytes;
}

bool SystemDigest::sha256(const char* data, std::uint32_t size, std::string& hex)
{
    Sha256Bytes digest{};
    if (!sha256WithBCrypt(data, size, digest) && !sha256WithCryptoApi(data, size, digest))
        return false;
    hex = lowerHex(digest, kSha256Bytes);
    return true;
}

} // namespace renewo
