#include <windows.h>

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

int CALLBACK rememberFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM faces) {
    reinterpret_cast<std::set<std::string>*>(faces)->insert(font->lfFaceName);
    return 1;
}

std::set<std::string> installedFaces() {
    std::set<std::string> faces;
    HDC screen = GetDC(nullptr);
    LOGFONTA any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(screen, &any, rememberFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, screen);
    return faces;
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The screen's pixels inside a rectangle, as 0x00RRGGBB values.
std::vector<COLORREF> grab(const RECT& r) {
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            pixels.push_back(GetPixel(memory, x, y));
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(PlatformWindow, WineFontsAreInstalledInThePrefix) {
    std::set<std::string> faces = installedFaces();
    EXPECT_TRUE(faces.count("Tahoma")) << "Tahoma missing";
    EXPECT_TRUE(faces.count("MS Sans Serif")) << "MS Sans Serif missing";
    EXPECT_TRUE(faces.count("Marlett")) << "Marlett missing";
}

TEST(PlatformWindow, AWindowIsShownWithCaptionAndText) {
    HWND window = CreateWindowExA(0, "STATIC", "Platform check", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  320, 160, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HWND label = CreateWindowExA(0, "STATIC", "Hello from the virtual display", WS_CHILD | WS_VISIBLE, 10, 10,
                                 280, 40, window, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    SetForegroundWindow(window);
    UpdateWindow(window);
    pumpFor(500);

    char text[64] = {};
    GetWindowTextA(label, text, sizeof text);
    EXPECT_STREQ(text, "Hello from the virtual display");

    // The virtual desktop gives the window a frame: the window is larger than its client area.
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_GT((outer.bottom - outer.top) - client.bottom, GetSystemMetrics(SM_CYCAPTION) - 1);

    // The caption and the label were really drawn: both areas hold more than one colour.
    RECT caption{outer.left + 4, outer.top + 2, outer.right - 4, outer.top + GetSystemMetrics(SM_CYCAPTION)};
    std::vector<COLORREF> captionPixels = grab(caption);
    EXPECT_GT(std::set<COLORREF>(captionPixels.begin(), captionPixels.end()).size(), 1u);

    RECT labelRect;
    GetWindowRect(label, &labelRect);
    std::vector<COLORREF> labelPixels = grab(labelRect);
    std::set<COLORREF> labelColours(labelPixels.begin(), labelPixels.end());
    EXPECT_TRUE(labelColours.count(RGB(0, 0, 0))) << "no black text pixels in the label";
    EXPECT_GT(labelColours.size(), 1u);

    DestroyWindow(window);
}

} // namespace
