#include "app/Md5.h"

#include <windows.h>
#include <wincrypt.h>

namespace {

class CryptContext {
public:
    CryptContext()
    {
        if (!::CryptAcquireContextW(&m_provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT))
            m_provider = 0;
    }
    ~CryptContext()
    {
        if (m_provider)
            ::CryptReleaseContext(m_provider, 0);
    }
    CryptContext(const CryptContext&) = delete;
    CryptContext& operator=(const CryptContext&) = delete;
    HCRYPTPROV get() const { return m_provider; }

private:
    HCRYPTPROV m_provider = 0;
};

class CryptHash {
public:
    explicit CryptHash(HCRYPTPROV provider)
    {
        if (!provider || !::CryptCreateHash(provider, CALG_MD5, 0, 0, &m_hash))
            m_hash = 0;
    }
    ~CryptHash()
    {
        if (m_hash)
            ::CryptDestroyHash(m_hash);
    }
    CryptHash(const CryptHash&) = delete;
    CryptHash& operator=(const CryptHash&) = delete;
    HCRYPTHASH get() const { return m_hash; }

private:
    HCRYPTHASH m_hash = 0;
};

} // namespace

std::wstring Md5Hex(const void* bytes, size_t length)
{
    CryptContext context;
    CryptHash hash(context.get());
    if (!hash.get() || length > MAXDWORD)
        return {};
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
