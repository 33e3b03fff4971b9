#include "Win32BarsAccessible.h"

#include "Text.h"
#include "Win32BarsView.h"

#include <cwchar>

namespace rt
{

namespace
{
constexpr long kSelf = -1;
constexpr long kNoChild = -2;

HRESULT text(BSTR* out, const wchar_t* value)
{
    *out = SysAllocString(value);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT none(BSTR* out)
{
    *out = nullptr;
    return S_FALSE;
}

void setChild(VARIANT* out, long id)
{
    out->vt = VT_I4;
    out->lVal = id;
}
} // namespace

Win32BarsAccessible::Win32BarsAccessible(Win32BarsView& board)
    : board_(&board)
{
}

Win32BarsAccessible::~Win32BarsAccessible()
{
    if (standard_)
        standard_->Release();
}

void Win32BarsAccessible::detach()
{
    board_ = nullptr;
}

HRESULT Win32BarsAccessible::find(const VARIANT& child, long& index) const
{
    if (!board_)
        return RPC_E_DISCONNECTED;
    index = barIndex(child);
    return index == kNoChild ? E_INVALIDARG : S_OK;
}

long Win32BarsAccessible::barIndex(const VARIANT& child) const
{
    if (child.vt != VT_I4)
        return kNoChild;
    if (child.lVal == CHILDID_SELF)
        return kSelf;
    const long count = static_cast<long>(board_->host().bars().size());
    return child.lVal >= 1 && child.lVal <= count ? child.lVal - 1 : kNoChild;
}

IAccessible* Win32BarsAccessible::standard()
{
    if (!standard_)
        CreateStdAccessibleObject(
            board_->handle(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
    return standard_;
}

HRESULT Win32BarsAccessible::QueryInterface(REFIID riid, void** object)
{
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) || riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Win32BarsAccessible::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG Win32BarsAccessible::Release()
{
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT Win32BarsAccessible::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT Win32BarsAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT Win32BarsAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT Win32BarsAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT Win32BarsAccessible::get_accParent(IDispatch** parent)
{
    *parent = nullptr;
    if (!board_)
        return RPC_E_DISCONNECTED;
    IAccessible* system = standard();
    return system ? system->get_accParent(parent) : S_FALSE;
}

HRESULT Win32BarsAccessible::get_accChildCount(long* count)
{
    if (!board_)
        return RPC_E_DISCONNECTED;
    *count = static_cast<long>(board_->host().bars().size());
    return S_OK;
}

HRESULT Win32BarsAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    *object = nullptr;
    if (!board_)
        return RPC_E_DISCONNECTED;
    // The bars are simple elements, known only by their child ids.
    return barIndex(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT Win32BarsAccessible::get_accName(VARIANT child, BSTR* name)
{
    *name = nullptr;
    long index = kNoChild;
    if (const HRESULT failed = find(child, index); failed != S_OK)
        return failed;
    if (index == kSelf)
        return text(name, widen(FormHost::kChartName).c_str());
    return text(name, widen(FormHost::barName(int(index))).c_str());
}

HRESULT Win32BarsAccessible::get_accValue(VARIANT child, BSTR* value)
{
    *value = nullptr;
    long index = kNoChild;
    if (const HRESULT failed = find(child, index); failed != S_OK)
        return failed;
    if (index == kSelf)
        return S_FALSE;
    wchar_t buffer[32];
    std::swprintf(buffer, 32, L"%d", FormHost::barValue(*board_->host().bars()[std::size_t(index)]));
    return text(value, buffer);
}

HRESULT Win32BarsAccessible::get_accDescription(VARIANT, BSTR* description)
{
    return none(description);
}

HRESULT Win32BarsAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    VariantInit(role);
    long index = kNoChild;
    if (const HRESULT failed = find(child, index); failed != S_OK)
        return failed;
    setChild(role, index == kSelf ? ROLE_SYSTEM_CHART : ROLE_SYSTEM_PROGRESSBAR);
    return S_OK;
}

HRESULT Win32BarsAccessible::get_accState(VARIANT child, VARIANT* state)
{
    VariantInit(state);
    long index = kNoChild;
    if (const HRESULT failed = find(child, index); failed != S_OK)
        return failed;
    if (index == kSelf && standard())
        return standard()->get_accState(child, state);
    setChild(state, STATE_SYSTEM_READONLY);
    return S_OK;
}

HRESULT Win32BarsAccessible::get_accHelp(VARIANT, BSTR* help)
{
    return none(help);
}

HRESULT Win32BarsAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic)
{
    *topic = 0;
    return none(file);
}

HRESULT Win32BarsAccessible::get_accKeyboardShortcut(VARIANT, BSTR* shortcut)
{
    return none(shortcut);
}

HRESULT Win32BarsAccessible::get_accFocus(VARIANT* child)
{
    VariantInit(child); // the board never holds the focus
    return board_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT Win32BarsAccessible::get_accSelection(VARIANT* children)
{
    VariantInit(children);
    return board_ ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT Win32BarsAccessible::get_accDefaultAction(VARIANT, BSTR* action)
{
    return none(action);
}

HRESULT Win32BarsAccessible::accSelect(long, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT Win32BarsAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    *left = *top = *width = *height = 0;
    long index = kNoChild;
    if (const HRESULT failed = find(child, index); failed != S_OK)
        return failed;
    RECT r;
    if (index == kSelf)
        GetClientRect(board_->handle(), &r);
    else
        r = board_->barRect(*board_->host().bars()[std::size_t(index)]);
    MapWindowPoints(board_->handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT Win32BarsAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    VariantInit(end);
    long index = kNoChild;
    if (const HRESULT failed = find(start, index); failed != S_OK)
        return failed;
    const long count = static_cast<long>(board_->host().bars().size());
    long to = kNoChild;
    if (index == kSelf) {
        if (direction == NAVDIR_FIRSTCHILD && count > 0)
            to = 0;
        else if (direction == NAVDIR_LASTCHILD && count > 0)
            to = count - 1;
        else if (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD && standard())
            return standard()->accNavigate(direction, start, end); // among the window's siblings
    } else if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && index + 1 < count) {
        to = index + 1;
    } else if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && index > 0) {
        to = index - 1;
    }
    if (to == kNoChild)
        return S_FALSE;
    setChild(end, to + 1);
    return S_OK;
}

HRESULT Win32BarsAccessible::accHitTest(long x, long y, VARIANT* child)
{
    VariantInit(child);
    if (!board_)
        return RPC_E_DISCONNECTED;
    POINT p { x, y };
    ScreenToClient(board_->handle(), &p);
    RECT client;
    GetClientRect(board_->handle(), &client);
    if (!PtInRect(&client, p))
        return S_FALSE;
    const auto& bars = board_->host().bars();
    long id = CHILDID_SELF;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const RECT r = board_->barRect(*bars[i]);
        if (PtInRect(&r, p))
            id = static_cast<long>(i) + 1;
    }
    setChild(child, id);
    return S_OK;
}

HRESULT Win32BarsAccessible::accDoDefaultAction(VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT Win32BarsAccessible::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

HRESULT Win32BarsAccessible::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

} // namespace rt
