// The remote version record: an XML document whose root's first CLIENT
// child names the newest client version and where to get it.
#pragma once

#include <functional>
#include <string>

struct RemoteVersion {
    std::wstring version;
    std::wstring url;
};

// Empty when the file cannot be loaded or has no CLIENT under its root.
RemoteVersion ReadVersionRecord(const std::wstring& path);

// Hands the downloaded record to check as config.xml in folder, a copy
// that exists only during the call. A config.xml that is there already is
// not the client's: it is left alone and the download itself is read, as
// it is when the copy cannot be written. Nothing happens when the download
// cannot be read.
void ReadRemoteConfig(const std::wstring& downloaded, const std::wstring& folder,
                      const std::function<void(const std::wstring& path)>& check);
