// Entry of every test program: OLE on the test thread and GDI+ running, as
// in the client, then all tests.
#include <windows.h>
#include <gdiplus.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    const int result = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(token);
    ::OleUninitialize();
    return result;
}
