#pragma once

// The window-system vocabulary that the pages and the main window are written against:
// handle types, message and style numbers, and the calls that act on windows. On Windows
// this is the real <windows.h> (ANSI forms); elsewhere it is our own window system in
// platform/, which keeps the same names, numbers and observable behaviour. Nothing here
// draws or reads input: that is the backends' job.

#ifdef _WIN32
// <commctrl.h> needs the types of <windows.h>, so the order matters.
#include <windows.h>

#include <commctrl.h>
#else

#include <cstdint>

struct Window;
struct DeviceContext;
struct ModuleResources;
struct CursorHandle;
struct BinaryResource;
struct BrushHandle;

using HWND = Window*;
using HDC = DeviceContext*;
using HINSTANCE = const ModuleResources*;
using HMODULE = HINSTANCE;
using HCURSOR = const CursorHandle*;
using HICON = const BinaryResource*;   // an .ico resource
using HBITMAP = const BinaryResource*; // a .bmp resource
using HBRUSH = const BrushHandle*;

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using BYTE = std::uint8_t;
using LONG = std::int32_t;
using COLORREF = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LPSTR = char*;
using LPCSTR = const char*;

#define CALLBACK
#define WINAPI

struct WinEventHook;
using HWINEVENTHOOK = WinEventHook*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using WINEVENTPROC = void (*)(HWINEVENTHOOK, DWORD event, HWND, LONG id_object, LONG id_child,
                              DWORD event_thread, DWORD event_time);

// GLib (the accessibility bridge) defines TRUE and FALSE as macros of the same values; where
// it came first, those serve.
#ifndef TRUE
constexpr BOOL TRUE = 1;
#endif
#ifndef FALSE
constexpr BOOL FALSE = 0;
#endif

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(unsigned low, unsigned high) {
    return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr LPARAM MAKELPARAM(unsigned low, unsigned high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr COLORREF RGB(unsigned red, unsigned green, unsigned blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
    return static_cast<BYTE>(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
    return static_cast<BYTE>((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
    return static_cast<BYTE>((c >> 16) & 0xFF);
}
inline LPCSTR MAKEINTRESOURCE(unsigned id) {
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id & 0xFFFF));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

// Messages.
constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SETFOCUS = 0x0007;
constexpr UINT WM_KILLFOCUS = 0x0008;
constexpr UINT WM_ENABLE = 0x000A;
constexpr UINT WM_SETTEXT = 0x000C;
constexpr UINT WM_GETTEXT = 0x000D;
constexpr UINT WM_GETTEXTLENGTH = 0x000E;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT WM_SETCURSOR = 0x0020;
// A window describes itself for assistive technology: wParam is the part (0 the window itself,
// n its n-th part, as a tab strip's tabs), lParam the AccessibleObject to fill
// (platform/accessibility/accessible_object.h); TRUE when it did. Windows answers with an
// IAccessible instead; the question is the same.
constexpr UINT WM_GETOBJECT = 0x003D;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCHITTEST = 0x0084;
constexpr UINT WM_GETDLGCODE = 0x0087;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_CTLCOLOREDIT = 0x0133;
constexpr UINT WM_CTLCOLORBTN = 0x0135;
constexpr UINT WM_CTLCOLORDLG = 0x0136;
constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_CUT = 0x0300;
constexpr UINT WM_COPY = 0x0301;
constexpr UINT WM_PASTE = 0x0302;
constexpr UINT WM_CLEAR = 0x0303;
constexpr UINT WM_UNDO = 0x0304;

// Edit control messages and notifications.
constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EN_SETFOCUS = 0x0100;
constexpr UINT EN_KILLFOCUS = 0x0200;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT EN_UPDATE = 0x0400;
constexpr UINT EN_MAXTEXT = 0x0501;

// Button messages, states and notifications.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;
constexpr UINT BN_CLICKED = 0;

// Static control notifications.
constexpr UINT STN_CLICKED = 0;
constexpr UINT STN_DBLCLK = 1;

// Tab control.
constexpr UINT TCM_FIRST = 0x1300;
constexpr UINT TCM_GETITEMCOUNT = TCM_FIRST + 4;
constexpr UINT TCM_INSERTITEMA = TCM_FIRST + 7;
constexpr UINT TCM_INSERTITEM = TCM_INSERTITEMA;
constexpr UINT TCM_GETCURSEL = TCM_FIRST + 11;
constexpr UINT TCM_SETCURSEL = TCM_FIRST + 12;
constexpr UINT TCIF_TEXT = 0x0001;
constexpr int TCN_FIRST = -550;
constexpr int TCN_SELCHANGE = TCN_FIRST - 1;
constexpr int TCN_SELCHANGING = TCN_FIRST - 2;

// Dialog messages.
constexpr UINT WM_USER = 0x0400;
constexpr UINT DM_GETDEFID = WM_USER + 0;
constexpr WORD DC_HASDEFID = 0x534B;

// Our own message, with no counterpart among Windows' (which acts through an IAccessible):
// performs action lParam of part wParam (0 the window itself) of the window's accessible
// object, as the user's input would; TRUE when there was such an action.
constexpr UINT WM_ACCESSIBLEACTION = 0x03F0;

// Events for assistive technology (NotifyWinEvent, SetWinEventHook): what changed, about the
// object idObject of a window, and which of its parts (idChild, CHILDID_SELF for the whole).
constexpr DWORD EVENT_OBJECT_DESTROY = 0x8001;
constexpr DWORD EVENT_OBJECT_SHOW = 0x8002;
constexpr DWORD EVENT_OBJECT_HIDE = 0x8003;
constexpr DWORD EVENT_OBJECT_FOCUS = 0x8005;
constexpr DWORD EVENT_OBJECT_SELECTION = 0x8006;
constexpr DWORD EVENT_OBJECT_STATECHANGE = 0x800A;
constexpr DWORD EVENT_OBJECT_LOCATIONCHANGE = 0x800B; // with OBJID_CARET: the caret or selection
constexpr DWORD EVENT_OBJECT_NAMECHANGE = 0x800C;
constexpr DWORD EVENT_OBJECT_VALUECHANGE = 0x800E; // a field's text
constexpr DWORD EVENT_MIN = 0x00000001;
constexpr DWORD EVENT_MAX = 0x7FFFFFFF;
constexpr LONG OBJID_CLIENT = -4;
constexpr LONG OBJID_CARET = -8;
constexpr LONG CHILDID_SELF = 0;
constexpr DWORD WINEVENT_OUTOFCONTEXT = 0x0000;

struct POINT {
    LONG x;
    LONG y;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time = 0;
    POINT pt = {};
};

struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};

struct TCITEMA {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};
using TCITEM = TCITEMA;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_CHILD = 0x40000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_DISABLED = 0x08000000u;
constexpr DWORD WS_CAPTION = 0x00C00000u;
constexpr DWORD WS_BORDER = 0x00800000u;
constexpr DWORD WS_SYSMENU = 0x00080000u;
constexpr DWORD WS_GROUP = 0x00020000u;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000u;
constexpr DWORD WS_TABSTOP = 0x00010000u;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000u;
constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001u;
constexpr DWORD WS_EX_STATICEDGE = 0x00020000u;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000u;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200u;

// Dialog styles.
constexpr DWORD DS_MODALFRAME = 0x0080u;
constexpr DWORD DS_SETFONT = 0x0040u;
constexpr DWORD DS_CONTROL = 0x0400u;
constexpr DWORD DS_CENTER = 0x0800u;

// Edit styles.
constexpr DWORD ES_LEFT = 0x0000u;
constexpr DWORD ES_CENTER = 0x0001u;
constexpr DWORD ES_RIGHT = 0x0002u;
constexpr DWORD ES_UPPERCASE = 0x0008u;
constexpr DWORD ES_LOWERCASE = 0x0010u;
constexpr DWORD ES_AUTOHSCROLL = 0x0080u;
constexpr DWORD ES_READONLY = 0x0800u;
constexpr DWORD ES_NUMBER = 0x2000u;

// Button styles.
constexpr DWORD BS_PUSHBUTTON = 0x0000u;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001u;
constexpr DWORD BS_CHECKBOX = 0x0002u;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003u;
constexpr DWORD BS_GROUPBOX = 0x0007u;
constexpr DWORD BS_TYPEMASK = 0x000Fu;
constexpr DWORD BS_CENTER = 0x0300u;

// Static styles.
constexpr DWORD SS_LEFT = 0x0000u;
constexpr DWORD SS_CENTER = 0x0001u;
constexpr DWORD SS_RIGHT = 0x0002u;
constexpr DWORD SS_BITMAP = 0x000Eu;
constexpr DWORD SS_TYPEMASK = 0x001Fu;
constexpr DWORD SS_NOTIFY = 0x0100u;
constexpr DWORD SS_CENTERIMAGE = 0x0200u;
constexpr DWORD SS_REALSIZEIMAGE = 0x0800u;
constexpr DWORD SS_SUNKEN = 0x1000u;

// Tab control styles.
constexpr DWORD TCS_FOCUSNEVER = 0x8000u;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWDEFAULT = 10;

// Window data slots.
constexpr int GWL_WNDPROC = -4;
constexpr int GWL_HINSTANCE = -6;
constexpr int GWL_ID = -12;
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_USERDATA = -21;
constexpr int GWLP_WNDPROC = GWL_WNDPROC;
constexpr int GWLP_HINSTANCE = GWL_HINSTANCE;
constexpr int GWLP_ID = GWL_ID;
constexpr int GWLP_USERDATA = GWL_USERDATA;

// GetWindow commands.
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_CHILD = 5;

// Dialog results, cursors, colours.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
inline const LPCSTR IDC_ARROW = MAKEINTRESOURCE(32512);
inline const LPCSTR IDC_IBEAM = MAKEINTRESOURCE(32513);
inline const LPCSTR IDC_HAND = MAKEINTRESOURCE(32649);
constexpr int ICON_SMALL = 0;
constexpr int ICON_BIG = 1;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DDKSHADOW = 21;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_HOTLIGHT = 26; // links
constexpr UINT SC_CLOSE = 0xF060;

// Virtual keys (the wParam of key messages).
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
constexpr UINT VK_APPS = 0x5D;
constexpr UINT VK_F10 = 0x79;

// Answers to WM_NCHITTEST.
constexpr LRESULT HTTRANSPARENT = -1;
constexpr LRESULT HTCLIENT = 1;

// Answers to WM_GETDLGCODE.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004; // the key in the MSG of lParam
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_BUTTON = 0x2000;
constexpr LRESULT DLGC_STATIC = 0x0100;

// Calls. Names are the ANSI forms without their suffix, as <windows.h> maps them.
HMODULE GetModuleHandle(LPCSTR module_name);
void InitCommonControls();
[[noreturn]] void ExitProcess(UINT exit_code);

INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC procedure,
                       LPARAM init_param);
HWND CreateDialogParam(HINSTANCE instance, LPCSTR template_name, HWND parent, DLGPROC procedure,
                       LPARAM init_param);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL DestroyWindow(HWND window);

LRESULT SendMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProc(WNDPROC procedure, HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtr(HWND window, int index);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND window);
HWND GetParent(HWND window);
HWND GetWindow(HWND window, UINT command); // GW_CHILD, GW_HWNDNEXT: in template order
BOOL IsChild(HWND parent, HWND window);    // window lies inside parent, at any depth
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);
UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int max_count);
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT IsDlgButtonChecked(HWND dialog, int id);
int GetWindowTextLength(HWND window);

BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
// The one caret, owned by the window that made it; it blinks while that window has the
// keyboard. The bitmap and size are taken as given (the owner draws its caret itself).
BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
BOOL DestroyCaret();

short GetKeyState(int virtual_key); // negative while the key is held
BOOL MessageBeep(UINT type);
HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
// Copies string resource id into buffer (at most size - 1 bytes and a zero); returns the
// bytes copied, 0 when the module has no such string.
int LoadString(HINSTANCE instance, UINT id, LPSTR buffer, int size);
HINSTANCE ShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                       int show_command);

// Assistive technology's events. A hook takes the events from event_min to event_max of
// this program's windows as they happen; the module, process, thread and flags are taken
// as given (there is one process and one thread). Without a hook an event costs nothing.
HWINEVENTHOOK SetWinEventHook(DWORD event_min, DWORD event_max, HMODULE module,
                              WINEVENTPROC procedure, DWORD process, DWORD thread, DWORD flags);
BOOL UnhookWinEvent(HWINEVENTHOOK hook);
void NotifyWinEvent(DWORD event, HWND window, LONG id_object, LONG id_child);

DWORD GetSysColor(int index);
// A brush of a system colour, owned by the window system; it takes the new colour when the
// desktop's palette changes.
HBRUSH GetSysColorBrush(int index);
HBRUSH CreateSolidBrush(COLORREF colour);
int SetBkMode(HDC dc, int mode);
COLORREF SetTextColor(HDC dc, COLORREF colour);

#endif
