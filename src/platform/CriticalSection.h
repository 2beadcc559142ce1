// A critical section and the holder that keeps it entered for one scope.
#pragma once

#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { ::InitializeCriticalSection(&m_section); }
    ~CCriticalSection() { ::DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { ::EnterCriticalSection(&m_section); }
    void Unlock() { ::LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section;
};

class CriticalSectionLock {
public:
    explicit CriticalSectionLock(CCriticalSection& section) : m_section(section) { m_section.Lock(); }
    ~CriticalSectionLock() { m_section.Unlock(); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

private:
    CCriticalSection& m_section;
};
