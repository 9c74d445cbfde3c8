#include "tvapps/mouse_emulator.h"

#include "win32/display_scale.h"

namespace {

constexpr RemoteButton LEFT_CLICK_BUTTON = 0;
constexpr RemoteButton PRIMARY_TOGGLE_BUTTON = 5;
constexpr RemoteButton RIGHT_CLICK_BUTTON = 10;
constexpr int MEDIUM_FROM_MOVE = 5;
constexpr int LARGE_FROM_MOVE = 10;

struct Direction {
    int dx;
    int dy;
};

// Buttons 1 to 9 as on a telephone keypad, y growing downwards; 5 is no direction.
constexpr Direction DIRECTIONS[10] = {
    {0, 0}, {-1, -1}, {0, -1}, {1, -1}, {-1, 0}, //
    {0, 0}, {1, 0},   {-1, 1}, {0, 1},  {1, 1},  //
};

bool isDirection(RemoteButton button) {
    return button >= 1 && button <= 9 && button != PRIMARY_TOGGLE_BUTTON;
}

LONG stepFor(const PointerBounds& area, int moveCount) {
    if (moveCount < MEDIUM_FROM_MOVE)
        return 1;
    return moveCount < LARGE_FROM_MOVE ? area.mediumStep : area.largeStep;
}

bool insideBounds(const PointerBounds& area, LONG x, LONG y) {
    return area.left < x && x < area.right && area.top < y && y < area.bottom;
}

// A button event where the pointer is: no move flag, so dx and dy do not move it.
void sendMouseEvent(DWORD flag, const POINT& at) {
    mouse_event(flag, static_cast<DWORD>(at.x), static_cast<DWORD>(at.y), 0,
                static_cast<ULONG_PTR>(GetMessageExtraInfo()));
}

// The pointer in the pixels of 96 DPI, as the area and the steps are; false without a position.
bool pointerAt(POINT& at) {
    if (!GetCursorPos(&at))
        return false;
    at = {unscaled(at.x, systemDpi()), unscaled(at.y, systemDpi())};
    return true;
}

POINT pointerPosition() {
    POINT at{0, 0};
    pointerAt(at);
    return at;
}

} // namespace

PressOutcome MouseEmulation::handleButton(RemoteButton button) {
    switch (button) {
    case LEFT_CLICK_BUTTON:
        click(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        return mouseOutcome(Result::LEFT_CLICK);
    case PRIMARY_TOGGLE_BUTTON:
        return togglePrimaryButton();
    case RIGHT_CLICK_BUTTON:
        click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        return mouseOutcome(Result::RIGHT_CLICK);
    default:
        return movePointer(button); // nothing for a button that is no direction
    }
}

PressOutcome MouseEmulation::movePointer(RemoteButton direction) {
    if (!isDirection(direction))
        return mouseOutcome(Result::NOTHING);
    ++moveCount;
    const LONG step = stepFor(area, moveCount);
    const LONG dx = DIRECTIONS[direction].dx * step;
    const LONG dy = DIRECTIONS[direction].dy * step;
    POINT at{0, 0};
    if (!pointerAt(at))
        return mouseOutcome(Result::NOTHING); // no position to move from
    if (!insideBounds(area, at.x + dx, at.y + dy)) {
        moveCount = 0; // refused whole; the next move creeps up with one-pixel steps
        return mouseOutcome(Result::AT_EDGE, dx, dy);
    }
    SetCursorPos(scaled(at.x + dx, systemDpi()), scaled(at.y + dy, systemDpi()));
    return mouseOutcome(Result::MOVED, dx, dy);
}

// Buttons 0 and 10 are always the left and the right button, whatever the system's swap setting.
void MouseEmulation::click(DWORD downFlag, DWORD upFlag) {
    const POINT at = pointerPosition();
    sendMouseEvent(downFlag, at);
    sendMouseEvent(upFlag, at);
}

// Only this one follows the swapped-buttons setting: it holds the primary button for dragging.
PressOutcome MouseEmulation::togglePrimaryButton() {
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    const POINT at = pointerPosition();
    primaryHeld = !primaryHeld;
    if (!primaryHeld) {
        sendMouseEvent(swapped ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, at);
        return mouseOutcome(Result::PRIMARY_UP);
    }
    sendMouseEvent(swapped ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, at);
    return mouseOutcome(Result::PRIMARY_DOWN);
}

void MouseEmulation::letGoOfPrimary() {
    if (primaryHeld)
        togglePrimaryButton();
}
