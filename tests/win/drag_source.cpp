#include "tests/win/drag_source.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Drops after the target side has shown its effect a few times: by then OLE has called
// DragEnter and DragOver on whatever lies under the cursor.
class CountingDropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
      *object = static_cast<IDropSource*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the caller's stack for the length of DoDragDrop.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (feedbacks >= kFeedbacksBeforeDrop) return DRAGDROP_S_DROP;
    if (GetTickCount() - start > kGiveUpMs) return DRAGDROP_S_CANCEL;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    shown = effect;
    ++feedbacks;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

  static constexpr int kFeedbacksBeforeDrop = 3;
  static constexpr DWORD kGiveUpMs = 10000;
  DWORD start = GetTickCount();
  DWORD shown = DROPEFFECT_NONE;
  int feedbacks = 0;
};

// Holds Ctrl and Shift as asked in this thread's key state, which DoDragDrop reads, and
// puts the old state back afterwards.
class HeldKeys {
 public:
  explicit HeldKeys(DWORD key_state) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::memcpy(state, saved_, sizeof state);
    auto hold = [&](int key, bool down) { state[key] = down ? 0x80 : 0; };
    const bool control = (key_state & MK_CONTROL) != 0;
    const bool shift = (key_state & MK_SHIFT) != 0;
    hold(VK_CONTROL, control);
    hold(VK_LCONTROL, control);
    hold(VK_SHIFT, shift);
    hold(VK_LSHIFT, shift);
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

}  // namespace

std::string drop_files_block(const std::vector<std::string>& names, bool wide) {
  std::string list;
  for (const std::string& name : names) {
    if (!wide) {
      list += name;
      list += '\0';
      continue;
    }
    const int units =
        MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), text.data(), units);
    list.append(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(WCHAR));
  }
  list.append(wide ? sizeof(WCHAR) : 1, '\0');

  DROPFILES header = {};
  header.pFiles = sizeof header;
  header.fWide = wide ? TRUE : FALSE;
  return std::string(reinterpret_cast<const char*>(&header), sizeof header) + list;
}

std::string with_names_offset(std::string block, DWORD offset) {
  DROPFILES header;
  if (block.size() < sizeof header) return block;
  std::memcpy(&header, block.data(), sizeof header);
  header.pFiles = offset;
  std::memcpy(block.data(), &header, sizeof header);
  return block;
}

OfferedData* OfferedData::create(CLIPFORMAT format, const std::string& bytes) {
  return new OfferedData(format, bytes);
}

ULONG OfferedData::references() {
  AddRef();
  return Release();
}

HRESULT STDMETHODCALLTYPE OfferedData::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
    *object = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE OfferedData::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE OfferedData::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

bool OfferedData::offers(const FORMATETC* format) const {
  return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) != 0 &&
         format->dwAspect == DVASPECT_CONTENT;
}

HRESULT STDMETHODCALLTYPE OfferedData::GetData(FORMATETC* format, STGMEDIUM* medium) {
  ++get_data_calls_;
  if (!medium) return E_INVALIDARG;
  if (!offers(format)) return DV_E_FORMATETC;
  if (fail_get_data_) return E_OUTOFMEMORY;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
  if (!memory) return E_OUTOFMEMORY;
  std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE OfferedData::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OfferedData::QueryGetData(FORMATETC* format) {
  return offers(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT STDMETHODCALLTYPE OfferedData::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out) out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT STDMETHODCALLTYPE OfferedData::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE OfferedData::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (!formats) return E_INVALIDARG;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  FORMATETC offered = {format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return SHCreateStdEnumFmtEtc(1, &offered, formats);
}

HRESULT STDMETHODCALLTYPE OfferedData::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) {
  return OLE_E_ADVISENOTSUPPORTED;
}
HRESULT STDMETHODCALLTYPE OfferedData::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT STDMETHODCALLTYPE OfferedData::EnumDAdvise(IEnumSTATDATA**) {
  return OLE_E_ADVISENOTSUPPORTED;
}

DragOutcome drag_and_drop(IDataObject* data, POINT screen_point, DWORD key_state,
                          DWORD allowed) {
  SetCursorPos(screen_point.x, screen_point.y);
  CountingDropSource source;
  DragOutcome outcome;
  {
    HeldKeys keys(key_state);
    outcome.result = DoDragDrop(data, &source, allowed, &outcome.effect);
  }
  outcome.shown = source.shown;
  outcome.feedbacks = source.feedbacks;
  return outcome;
}

POINT centre_of(HWND window) {
  RECT place = {};
  GetWindowRect(window, &place);
  return POINT{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}
