#include "WindowTree.h"

#include <algorithm>

#include "Handles.h"

namespace SimulatedDesktop {

namespace {

LONG StyleFor(const WindowSpec& windowSpec, bool child)
{
    LONG style = windowSpec.style & ~(WS_VISIBLE | WS_MINIMIZE);
    if (windowSpec.visible) {
        style |= WS_VISIBLE;
    }
    if (windowSpec.minimised) {
        style |= WS_MINIMIZE;
    }
    return child ? style | WS_CHILD : style;
}

bool IsTopmost(const Window& window) { return window.parent == nullptr && (window.exStyle & WS_EX_TOPMOST) != 0; }

}  // namespace

void WindowTree::Clear()
{
    windows.clear();
    topLevel.clear();
    nextHandle = kFirstHandle;
}

HWND WindowTree::Create(HWND parent, const WindowSpec& windowSpec)
{
    // Even numbers, as Windows' user handles are.
    const uint32_t value = nextHandle;
    nextHandle += 2;
    Window& window = windows[value];
    window.handle = MakeHandle<HWND>(value);
    window.parent = parent;
    window.className = WindowText::FromUtf8(windowSpec.className);
    window.title = WindowText::FromUtf8(windowSpec.title);
    window.processId = windowSpec.processId;
    window.threadId = windowSpec.threadId;
    window.rect = windowSpec.rect;
    window.style = StyleFor(windowSpec, parent != nullptr);
    window.exStyle = windowSpec.exStyle;
    window.onCurrentDesktop = windowSpec.onCurrentDesktop;
    PlaceOnTop(window);
    return window.handle;
}

void WindowTree::Destroy(HWND handle)
{
    Window* window = Find(handle);
    if (window == nullptr) {
        return;
    }
    // Children go first, as DestroyWindow destroys them before their parent.
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        Destroy(child);
    }
    Unlink(*window);
    windows.erase(HandleValue(handle));
}

Window* WindowTree::Find(HWND handle)
{
    const auto found = windows.find(HandleValue(handle));
    return found == windows.end() ? nullptr : &found->second;
}

const Window* WindowTree::Find(HWND handle) const
{
    const auto found = windows.find(HandleValue(handle));
    return found == windows.end() ? nullptr : &found->second;
}

void WindowTree::BringToTop(const Window& window)
{
    Unlink(window);
    PlaceOnTop(window);
}

void WindowTree::Move(Window& window, const RECT& rect)
{
    const LONG dx = rect.left - window.rect.left;
    const LONG dy = rect.top - window.rect.top;
    window.rect = rect;
    for (HWND child : window.children) {
        Shift(*Find(child), dx, dy);
    }
}

HWND WindowTree::Related(const Window& window, UINT command) const
{
    const std::vector<HWND>& siblings = SiblingsOf(window);
    const auto at = std::find(siblings.begin(), siblings.end(), window.handle);
    switch (command) {
    case GW_HWNDFIRST:
        return siblings.front();
    case GW_HWNDLAST:
        return siblings.back();
    case GW_HWNDNEXT:
        return at + 1 == siblings.end() ? nullptr : *(at + 1);
    case GW_HWNDPREV:
        return at == siblings.begin() ? nullptr : *(at - 1);
    case GW_CHILD:
        return window.children.empty() ? nullptr : window.children.front();
    default:
        // GW_OWNER: no window of the simulated desktop has an owner.
        return nullptr;
    }
}

Window& WindowTree::TopLevelAncestor(Window& window)
{
    Window* ancestor = &window;
    while (ancestor->parent != nullptr) {
        ancestor = Find(ancestor->parent);
    }
    return *ancestor;
}

bool WindowTree::IsVisible(const Window& window) const
{
    for (const Window* at = &window; at != nullptr; at = at->parent == nullptr ? nullptr : Find(at->parent)) {
        if ((at->style & WS_VISIBLE) == 0) {
            return false;
        }
    }
    return true;
}

std::vector<HWND>& WindowTree::SiblingsOf(const Window& window)
{
    return window.parent == nullptr ? topLevel : Find(window.parent)->children;
}

const std::vector<HWND>& WindowTree::SiblingsOf(const Window& window) const
{
    return window.parent == nullptr ? topLevel : Find(window.parent)->children;
}

// Top of the siblings, except that a top-level window without WS_EX_TOPMOST
// stays below every topmost one, as Windows keeps the topmost band on top.
void WindowTree::PlaceOnTop(const Window& window)
{
    std::vector<HWND>& siblings = SiblingsOf(window);
    auto at = siblings.begin();
    if (!IsTopmost(window)) {
        at = std::find_if(siblings.begin(), siblings.end(), [this](HWND sibling) { return !IsTopmost(*Find(sibling)); });
    }
    siblings.insert(at, window.handle);
}

void WindowTree::Unlink(const Window& window)
{
    std::vector<HWND>& siblings = SiblingsOf(window);
    siblings.erase(std::find(siblings.begin(), siblings.end(), window.handle));
}

void WindowTree::Shift(Window& window, LONG dx, LONG dy)
{
    window.rect = {window.rect.left + dx, window.rect.top + dy, window.rect.right + dx, window.rect.bottom + dy};
    for (HWND child : window.children) {
        Shift(*Find(child), dx, dy);
    }
}

}  // namespace SimulatedDesktop
