#pragma once

// The real main window and its four pages on a fresh headless window system, created as
// the program creates them, for page and main-window tests.

#include "app/main_dialog.h"
#include "pages/about_page.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/core/window_system.h"
#include "resources/program_resources.h"
#include "testing/headless_windows.h"
#include "testing/simulated_user.h"
#include "testing/window_text.h"

#include <gtest/gtest.h>
#include <string>

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_backend = &StartHeadlessWindows(&ProgramResources);
        AppInstance = GetModuleHandle(nullptr);
        HandCursor = LoadCursor(nullptr, IDC_HAND);
        CurrentPage = 0;
        m_main = CreateDialogParam(AppInstance, MAKEINTRESOURCE(1000), nullptr, MainDialog, 0);
        ASSERT_NE(m_main, nullptr);
    }

    static std::string Text(int id) {
        HWND control = FindControl(id);
        return control != nullptr ? WindowText(control) : "<no control " + std::to_string(id) + ">";
    }
    static void Type(int id, std::string_view text) {
        FocusAsClick(FindControl(id));
        TypeBytes(text);
    }
    static void Click(int id) { ClickControl(FindControl(id)); }
    static bool Checked(int id) {
        return SendMessage(FindControl(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    HeadlessBackend* m_backend = nullptr;
    HWND m_main = nullptr;
};
