// Times one render of the launcher with the built-in skin: composing from
// images decoded once, and decoding every image again for each render.
#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "config/ClientConfig.h"
#include "platform/Resource.h"
#include "resource.h"
#include "skin/SkinManager.h"
#include "windows/HtmlWnd.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Median of the render times in milliseconds.
double TimeRenders(CHtmlWnd& launcher, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        launcher.Render();
        ::QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The system's share of a render: one UpdateLayeredWindow of the same
// picture, as the launcher's render makes it.
double TimeLayeredUpdates(CHtmlWnd& launcher, int count)
{
    const SIZE size = launcher.PictureSize();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::memcpy(bits, launcher.PictureBits(), static_cast<size_t>(size.cx) * size.cy * 4);
    HDC memory = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT window{};
    ::GetWindowRect(launcher.GetSafeHwnd(), &window);
    POINT dest{window.left, window.top}, source{0, 0};
    SIZE pushed = size;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        ::UpdateLayeredWindow(launcher.GetSafeHwnd(), nullptr, &dest, &pushed, memory, &source, 0, &blend, ULW_ALPHA);
        ::QueryPerformanceCounter(&end);
        times.push_back(Milliseconds(start, end));
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(bitmap);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 50;
    ::OleInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    {
        CClientConfig config;
        config.LoadDocument(LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
        g_pConfig = &config;
        CHtmlWnd launcher(L"MAINWND");
        launcher.Create(::GetDesktopWindow(), WS_EX_APPWINDOW, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX);
        launcher.ShowWnd(TRUE);
        launcher.Render(); // warm-up

        launcher.m_bDecodeEachRender = false;
        const double once = TimeRenders(launcher, count);
        launcher.m_bDecodeEachRender = true;
        const double each = TimeRenders(launcher, count);
        const double system = TimeLayeredUpdates(launcher, count);
        std::printf("launcher render, images decoded once:         %8.3f ms (median of %d)\n", once, count);
        std::printf("launcher render, images decoded every render: %8.3f ms (median of %d)\n", each, count);
        std::printf("of a render, UpdateLayeredWindow alone:       %8.3f ms (median of %d)\n", system, count);
        g_pConfig = nullptr;
    }
    delete CSkinManager::GetInstance();
    Gdiplus::GdiplusShutdown(token);
    ::OleUninitialize();
    return 0;
}
