// Temporary registry keys, files and shortcut read-back for the tests of
// the configuration record's integration with the system.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/TestFiles.h"

class CClientConfig;
struct SYSTEM_PLACES;

// The process's record made by the creation sequence in these places,
// owned by the test. Null (and a failure) when a record exists already.
std::unique_ptr<CClientConfig> CreateRecord(const SYSTEM_PLACES& places, const std::string& document);

// A fresh key below HKCU\Software\ClientTests, deleted with its subkeys.
class TempRegistryKey {
public:
    TempRegistryKey();
    ~TempRegistryKey();
    TempRegistryKey(const TempRegistryKey&) = delete;
    TempRegistryKey& operator=(const TempRegistryKey&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    std::wstring m_path;
    HKEY m_hKey = nullptr;
};

struct REG_VALUE {
    DWORD type = REG_NONE;
    std::string bytes;
};

// Raw access to values below a root, for setting up and checking.
std::optional<REG_VALUE> ReadRegValue(HKEY root, const std::wstring& key, const wchar_t* name);
void WriteRegValue(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const std::string& bytes);
bool RegKeyExists(HKEY root, const std::wstring& key);
std::vector<std::wstring> RegValueNames(HKEY root, const std::wstring& key);

// Byte images of registry data.
std::string SzBytes(const std::wstring& text); // with its terminator
std::string DwordBytes(DWORD value);

// A configuration document with one CONFIG element carrying these
// attributes (8-bit values, escaped for XML).
std::string ConfigDocument(const std::vector<std::pair<std::string, std::string>>& attributes);

void WriteFileBytes(const std::wstring& path, const std::string& bytes);

struct SHORTCUT_INFO {
    std::wstring target;
    std::wstring icon;
    int iconIndex = -1;
    std::wstring workingFolder;
    std::wstring arguments;
    std::wstring description;
    WORD hotKey = 0;
    int showCommand = 0;
};

// The shortcut read back through the shell link object.
std::optional<SHORTCUT_INFO> ReadShortcut(const std::wstring& path);

// The marker-writing installer built beside the tests, and the command
// line it wrote into a marker file once that appears (waiting for it).
std::wstring MarkerInstallerPath();
std::optional<std::wstring> WaitForMarker(const std::wstring& path);
