#include "platform/win32/accessible_object.h"

#include "platform/win32/control_window.h"
#include "platform/win32/system_libraries.h"

namespace kestrune {

namespace {

long RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kPageTabList: return ROLE_SYSTEM_PAGETABLIST;
    case AccessibleRole::kPageTab: return ROLE_SYSTEM_PAGETAB;
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kGraphic: return ROLE_SYSTEM_GRAPHIC;
  }
  return ROLE_SYSTEM_CLIENT;
}

long StateOf(std::uint32_t state) {
  namespace st = accessible_state;
  struct Flag {
    std::uint32_t ours;
    long system;
  };
  static constexpr Flag kFlags[] = {
      {st::kUnavailable, STATE_SYSTEM_UNAVAILABLE}, {st::kSelected, STATE_SYSTEM_SELECTED},
      {st::kFocused, STATE_SYSTEM_FOCUSED},         {st::kPressed, STATE_SYSTEM_PRESSED},
      {st::kFocusable, STATE_SYSTEM_FOCUSABLE},     {st::kSelectable, STATE_SYSTEM_SELECTABLE},
      {st::kReadOnly, STATE_SYSTEM_READONLY},
  };
  long flags = 0;
  for (const Flag& f : kFlags)
    if (state & f.ours) flags |= f.system;
  return flags;
}

void SetChild(VARIANT* out, long childId) {
  out->vt = VT_I4;
  out->lVal = childId;
}

long ChildIdOf(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : CHILDID_SELF; }

HRESULT Nothing(VARIANT* out) {
  out->vt = VT_EMPTY;
  return S_FALSE;
}

}  // namespace

void AccessibleObject::Disconnect() {
  window_ = nullptr;
  // Readers in other processes lose their proxies now instead of keeping this object alive.
  ::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
}

std::optional<AccessibleDescription> AccessibleObject::Describe() const {
  if (window_ == nullptr || window_->Hwnd() == nullptr) return std::nullopt;
  return window_->DescribeControl();
}

HRESULT AccessibleObject::Find(const VARIANT& child, AccessibleDescription& description,
                               const AccessibleItem*& item) const {
  std::optional<AccessibleDescription> now = Describe();
  if (!now) return RPC_E_DISCONNECTED;
  // VT_EMPTY names the object itself, as the system's own objects take it; any other kind is refused.
  if (child.vt != VT_I4 && child.vt != VT_EMPTY) return E_INVALIDARG;
  description = std::move(*now);
  item = description.Item(ChildIdOf(child));
  return item != nullptr ? S_OK : E_INVALIDARG;
}

HRESULT AccessibleObject::Text(const VARIANT& child, std::wstring AccessibleItem::*field, BSTR* out) const {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  const std::wstring& text = item->*field;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// --- IUnknown and IDispatch ----------------------------------------------------------------------

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (::IsEqualIID(riid, IID_IUnknown) || ::IsEqualIID(riid, IID_IDispatch) || ::IsEqualIID(riid, kIidAccessible)) {
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG AccessibleObject::Release() {
  const LONG left = --references_;
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// --- IAccessible ---------------------------------------------------------------------------------

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (!Describe()) return RPC_E_DISCONNECTED;
  // The system's object for the window itself (frame, scroll bars) is the client area's parent.
  return system_call::CreateStdAccessibleObject(window_->Hwnd(), OBJID_WINDOW, IID_IDispatch,
                                                reinterpret_cast<void**>(parent));
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  const std::optional<AccessibleDescription> d = Describe();
  if (!d) return RPC_E_DISCONNECTED;
  *count = static_cast<long>(d->children.size());
  return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** dispatch) {
  if (dispatch == nullptr) return E_POINTER;
  *dispatch = nullptr;
  // Here alone an empty variant is no child at all, as the interface's contract has it.
  if (child.vt == VT_EMPTY) return E_INVALIDARG;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  // The parts are simple elements of this object, reached by their child ids.
  return S_FALSE;
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) { return Text(child, &AccessibleItem::name, name); }
HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) { return Text(child, &AccessibleItem::value, value); }

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  const HRESULT hr = Find(child, d, item);
  return hr == S_OK ? S_FALSE : hr;
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  role->vt = VT_EMPTY;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  SetChild(role, RoleOf(item->role));
  return S_OK;
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  state->vt = VT_EMPTY;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  long flags = StateOf(item->state);
  // Whether and where the window shows is the window's business, not the control's.
  const HWND hwnd = window_->Hwnd();
  if (!::IsWindowVisible(hwnd)) flags |= STATE_SYSTEM_INVISIBLE;
  RECT parent{};
  if (::GetClientRect(::GetParent(hwnd), &parent) && OffParent(window_->Bounds(), parent.right, parent.bottom))
    flags |= STATE_SYSTEM_OFFSCREEN;
  SetChild(state, flags);
  return S_OK;
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) { return get_accDescription(child, help); }

HRESULT AccessibleObject::get_accHelpTopic(BSTR* helpFile, VARIANT child, long* topic) {
  if (helpFile == nullptr || topic == nullptr) return E_POINTER;
  *topic = 0;
  return get_accDescription(child, helpFile);
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  return Text(child, &AccessibleItem::keyboardShortcut, shortcut);
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus) {
  if (focus == nullptr) return E_POINTER;
  focus->vt = VT_EMPTY;
  const std::optional<AccessibleDescription> d = Describe();
  if (!d) return RPC_E_DISCONNECTED;
  if (::GetFocus() != window_->Hwnd()) return S_FALSE;
  for (std::size_t i = 0; i < d->children.size(); ++i)
    if (d->children[i].state & accessible_state::kFocused) {
      SetChild(focus, static_cast<long>(i + 1));
      return S_OK;
    }
  SetChild(focus, CHILDID_SELF);
  return S_OK;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
  if (selection == nullptr) return E_POINTER;
  selection->vt = VT_EMPTY;
  const std::optional<AccessibleDescription> d = Describe();
  if (!d) return RPC_E_DISCONNECTED;
  // One part at most is selected (the shown tab).
  for (std::size_t i = 0; i < d->children.size(); ++i)
    if (d->children[i].state & accessible_state::kSelected) {
      SetChild(selection, static_cast<long>(i + 1));
      return S_OK;
    }
  return S_FALSE;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  return Text(child, &AccessibleItem::defaultAction, action);
}

HRESULT AccessibleObject::accSelect(long flags, VARIANT child) {
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  if (flags & ~(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION)) return E_INVALIDARG;
  if (flags & SELFLAG_TAKEFOCUS) ::SetFocus(window_->Hwnd());
  // Selecting a part is choosing it, as its default action does (a tab: switching to it).
  if ((flags & SELFLAG_TAKESELECTION) != 0) {
    if (!(item->state & accessible_state::kSelectable) || item->defaultAction.empty()) return S_FALSE;
    window_->PostDefaultAction(ChildIdOf(child));
  }
  return S_OK;
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
  *left = *top = *width = *height = 0;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  POINT origin{item->location.left, item->location.top};
  ::ClientToScreen(window_->Hwnd(), &origin);
  *left = origin.x;
  *top = origin.y;
  *width = item->location.Width();
  *height = item->location.Height();
  return S_OK;
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  end->vt = VT_EMPTY;
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(start, d, item); hr != S_OK) return hr;
  const long count = static_cast<long>(d.children.size());
  const long from = ChildIdOf(start);
  long to = 0;
  switch (direction) {
    case NAVDIR_FIRSTCHILD: to = from == CHILDID_SELF && count > 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = from == CHILDID_SELF ? count : 0; break;
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT: to = from != CHILDID_SELF && from < count ? from + 1 : 0; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT: to = from > 1 ? from - 1 : 0; break;
    default: return Nothing(end);  // beyond the control: the window's object answers that
  }
  if (to == 0) return Nothing(end);
  SetChild(end, to);
  return S_OK;
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  child->vt = VT_EMPTY;
  const std::optional<AccessibleDescription> d = Describe();
  if (!d) return RPC_E_DISCONNECTED;
  POINT at{x, y};
  ::ScreenToClient(window_->Hwnd(), &at);
  const Point p{at.x, at.y};
  if (!d->self.location.Contains(p)) return S_FALSE;
  for (std::size_t i = 0; i < d->children.size(); ++i)
    if (d->children[i].location.Contains(p)) {
      SetChild(child, static_cast<long>(i + 1));
      return S_OK;
    }
  SetChild(child, CHILDID_SELF);
  return S_OK;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
  AccessibleDescription d;
  const AccessibleItem* item = nullptr;
  if (const HRESULT hr = Find(child, d, item); hr != S_OK) return hr;
  if (item->defaultAction.empty()) return DISP_E_MEMBERNOTFOUND;
  // Done from the window's own message loop: the action may switch pages or hide the window, which
  // must not run inside a reader's call.
  window_->PostDefaultAction(ChildIdOf(child));
  return S_OK;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

}  // namespace kestrune
