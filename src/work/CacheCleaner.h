// Removing a cached copy of a file from the browser's URL cache, so that the
// next load of the page fetches it afresh.
#pragma once

// Deletes the first entry, in the cache's own enumeration order, whose source
// URL contains the pattern (letter case counts). At most one entry per call;
// an empty or null pattern deletes nothing, and every failure is quiet.
void ClearCacheEntries(const wchar_t* pattern);
