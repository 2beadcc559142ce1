#include "app/RemoteConfig.h"

#include <windows.h>

#include <optional>

#include "platform/ScopedWin.h"
#include "platform/TextUtil.h"
#include "tinyxml.h"

namespace {

std::optional<std::string> ReadWholeFile(const std::wstring& path)
{
    ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024)
        return std::nullopt;
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() && !::ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr))
        return std::nullopt;
    content.resize(read);
    return content;
}

// Creates the file only when none is there, so that nothing is replaced.
bool WriteNewFile(const std::wstring& path, const std::string& content)
{
    ScopedFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
                    written == content.size();
    if (!ok) {
        file.reset();
        ::DeleteFileW(path.c_str());
    }
    return ok;
}

} // namespace

RemoteVersion ReadVersionRecord(const std::wstring& path)
{
    TiXmlDocument doc;
    if (!doc.LoadFile(WideToAnsi(path).c_str()))
        return {};
    const TiXmlElement* root = doc.FirstChildElement();
    const TiXmlElement* client = root ? root->FirstChildElement("CLIENT") : nullptr;
    if (!client)
        return {};
    RemoteVersion record;
    if (const char* version = client->Attribute("version"))
        record.version = AnsiToWide(version);
    if (const char* url = client->Attribute("url"))
        record.url = AnsiToWide(url);
    return record;
}

void ReadRemoteConfig(const std::wstring& downloaded, const std::wstring& folder,
                      const std::function<void(const std::wstring& path)>& check)
{
    const std::optional<std::string> content = ReadWholeFile(downloaded);
    if (!content)
        return;
    const std::wstring copy = folder + L"\\config.xml";
    if (::GetFileAttributesW(copy.c_str()) != INVALID_FILE_ATTRIBUTES || !WriteNewFile(copy, *content)) {
        check(downloaded);
        return;
    }
    check(copy);
    ::DeleteFileW(copy.c_str());
}
