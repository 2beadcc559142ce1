#include "app/Md5.h"

#include <windows.h>
#include <wincrypt.h>

#include "platform/ScopedWin.h"

std::wstring Md5Hex(const void* bytes, size_t length)
{
    HCRYPTPROV rawProvider = 0;
    if (length > MAXDWORD ||
        !::CryptAcquireContextW(&rawProvider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
        return {};
    const ScopedCryptProvider provider(rawProvider);
    HCRYPTHASH rawHash = 0;
    if (!::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, &rawHash))
        return {};
    const ScopedCryptHash hash(rawHash);
    if (!::CryptHashData(hash.get(), static_cast<const BYTE*>(bytes), static_cast<DWORD>(length), 0))
        return {};
    BYTE digest[16];
    DWORD size = sizeof(digest);
    if (!::CryptGetHashParam(hash.get(), HP_HASHVAL, digest, &size, 0) || size != sizeof(digest))
        return {};
    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring out;
    for (BYTE b : digest) {
        out += kHex[b >> 4];
        out += kHex[b & 0xF];
    }
    return out;
}
