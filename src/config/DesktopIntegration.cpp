// The configuration record's start-up integration with the desktop and
// the browser engine.
#include "config/ClientConfig.h"

#include <shlwapi.h>

#include <string>

#include "config/BrowserEmulation.h"
#include "config/Shortcut.h"
#include "config/SystemPlaces.h"
#include "platform/Process.h"
#include "platform/RegKey.h"
#include "platform/TextUtil.h"

namespace {

constexpr wchar_t kPluginServerKey[] = L"CLSID\\{b2e8d85e-c0c5-48df-8dbc-1359b339ae32}\\InprocServer32";
constexpr wchar_t kFeatureControlKey[] = L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\";
constexpr size_t kMaxPluginPathChars = 1023;

bool FileExists(const std::wstring& path) { return ::PathFileExistsW(path.c_str()) != FALSE; }

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SamePathIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
}

// A path that does not survive the ANSI code page would name another file
// (or none) once converted.
bool FitsAnsiCodePage(const std::wstring& path) { return AnsiToWide(WideToAnsi(path)) == path; }

// Leaves the program under both names. The rename goes through the ANSI
// code page; the old copy is only replaced once the move has happened.
void MoveProgramTo(const std::wstring& from, const std::wstring& to)
{
    if (!FitsAnsiCodePage(from) || !FitsAnsiCodePage(to))
        return;
    ::DeleteFileW(to.c_str());
    if (::MoveFileA(WideToAnsi(from).c_str(), WideToAnsi(to).c_str()))
        ::CopyFileW(to.c_str(), from.c_str(), FALSE);
}

// The program folder followed by the configured installer command line,
// with the program's path quoted: unquoted, a blank in the folder would let
// the system start a program named after the part before it. Inside the
// configured text the program ends at the first blank after which it names
// a file, as the system would have split it.
std::wstring InstallerCommandLine(const std::wstring& folder, const std::wstring& runPlugin)
{
    size_t end = runPlugin.find(L' ');
    while (end != std::wstring::npos) {
        const std::wstring program = folder + runPlugin.substr(0, end);
        if (IsFile(program) || IsFile(program + L".exe"))
            break;
        end = runPlugin.find(L' ', end + 1);
    }
    if (end == std::wstring::npos)
        return L"\"" + folder + runPlugin + L"\"";
    return L"\"" + folder + runPlugin.substr(0, end) + L"\"" + runPlugin.substr(end);
}

void CreateShortcutIfAbsent(const std::wstring& linkPath, const std::wstring& target, const std::wstring& icon,
                            const std::wstring& workingFolder)
{
    if (!FileExists(linkPath))
        CreateShortcut(linkPath, target, icon, workingFolder);
}

} // namespace

void CClientConfig::ReadPluginRegistration()
{
    // Read access is enough: asking for write access would fail for a class
    // registered for the whole machine and make the plug-in look absent.
    CRegKey key;
    if (key.Open(m_pPlaces->hClassesRoot, kPluginServerKey, KEY_READ) != ERROR_SUCCESS)
        return;
    std::wstring path;
    if (key.QueryStringValue(nullptr, path, kMaxPluginPathChars) == ERROR_SUCCESS)
        m_strPluginPath = path;
}

bool CClientConfig::CheckBrowserPlugin()
{
    if (!m_strPluginPath.empty() && FileExists(m_strPluginPath))
        return false;
    const std::wstring installer = GetRunPlugin();
    const std::wstring folder = FolderOfPath(m_pPlaces->strModulePath);
    if (installer.empty() || folder.empty())
        return false;
    return RunCommandLine(InstallerCommandLine(folder, installer));
}

void CClientConfig::CreateDesktopLinks()
{
    const std::wstring& modulePath = m_pPlaces->strModulePath;
    const std::wstring displayName = GetUserClientAbout();
    // Without either there is no program file to name, link to or take the
    // icon from.
    if (modulePath.empty() || displayName.empty())
        return;
    const std::wstring folder = FolderOfPath(modulePath);
    const std::wstring target = folder + L"\\" + displayName + L".exe";
    if (ReadDecimal(GetAttribute("noRename")) == 0 && !SamePathIgnoringCase(modulePath, target))
        MoveProgramTo(modulePath, target);

    const std::wstring& desktop = m_pPlaces->strDesktopFolder;
    if (desktop.empty())
        return;
    if (ReadDecimal(GetAttribute("noLink")) == 0)
        CreateShortcutIfAbsent(desktop + L"\\" + displayName + L".lnk", target, target, L"\"" + folder + L"\"");
    const std::wstring siteLinkName = GetGwLink();
    if (ReadDecimal(GetAttribute("noGWLink")) == 0 && !siteLinkName.empty())
        CreateShortcutIfAbsent(desktop + L"\\" + siteLinkName + L".lnk", GetGwUrl(), target, folder);
}

void CClientConfig::ApplyBrowserFeatureControl()
{
    const std::wstring valueName = FileNameOfPath(m_pPlaces->strModulePath);
    if (valueName.empty() || !m_pPlaces->hUserRoot)
        return;
    const struct {
        const wchar_t* feature;
        DWORD value;
    } features[] = {
        {L"FEATURE_BROWSER_EMULATION", GetBrowserEmulationValue()},
        {L"FEATURE_GPU_RENDERING", 1},
        {L"FEATURE_MAXCONNECTIONSPERSERVER", 6},
        {L"FEATURE_MAXCONNECTIONSPER1_0SERVER", 6},
        {L"FEATURE_ALIGNED_TIMERS", 1},
        {L"FEATURE_ALLOW_HIGHFREQ_TIMERS", 1},
        {L"FEATURE_BEHAVIORS", 1},
        {L"FEATURE_LOCALMACHINE_LOCKDOWN", 0},
        {L"FEATURE_OBJECT_CACHING", 1},
        {L"FEATURE_SCRIPTURL_MITIGATION", 1},
    };
    for (const auto& feature : features) {
        // Only where the user has the feature's key: keys are never created.
        CRegKey key;
        const std::wstring path = kFeatureControlKey + std::wstring(feature.feature);
        if (key.Open(m_pPlaces->hUserRoot, path.c_str(), KEY_READ | KEY_WRITE) != ERROR_SUCCESS)
            continue;
        DWORD current = 0;
        if (key.QueryDWORDValue(valueName.c_str(), current) != ERROR_SUCCESS)
            key.SetDWORDValue(valueName.c_str(), feature.value);
    }
}
