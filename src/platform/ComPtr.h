// A minimal owning COM interface pointer.
#pragma once

#include <unknwn.h>
#include <utility>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(T* p) : m_p(p) { if (m_p) m_p->AddRef(); }
    ComPtr(const ComPtr& other) : ComPtr(other.m_p) {}
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a reference the caller already holds.
    void Attach(T* p)
    {
        Reset();
        m_p = p;
    }
    T* Detach() { return std::exchange(m_p, nullptr); }
    void Reset()
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // For out-parameters: releases what is held and hands out the slot.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    template <typename U>
    HRESULT As(ComPtr<U>& out) const
    {
        if (!m_p)
            return E_POINTER;
        return m_p->QueryInterface(__uuidof(U), out.PutVoid());
    }

private:
    T* m_p = nullptr;
};
