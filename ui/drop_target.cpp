#include "ui/drop_target.h"

#include <shlguid.h>

#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "ui/drop_effect.h"
#include "ui/drop_files.h"
#include "ui/file_list_text.h"

namespace {

FORMATETC file_list_format() {
  FORMATETC format = {};
  format.cfFormat = CF_HDROP;
  format.ptd = nullptr;
  format.dwAspect = DVASPECT_CONTENT;
  format.lindex = -1;
  format.tymed = TYMED_HGLOBAL;
  return format;
}

POINT point_of(POINTL point) { return POINT{point.x, point.y}; }

}  // namespace

void DropTarget::OwnerRelease::operator()(DropTarget* target) const {
  target->unbind();
  target->got_file_ = nullptr;
  target->owned_ = false;
  target->Release();
}

DropTarget::Owner DropTarget::create(GotFileHandler got_file) {
  Owner target(new (std::nothrow) DropTarget(std::move(got_file)));
  return target;
}

DropTarget::DropTarget(GotFileHandler got_file) : got_file_(std::move(got_file)) {
  // Without the helper (no COM, or no shell support) drops work the same, without an image.
  if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IDropTargetHelper, helper_.put_void()))) {
    helper_.reset();
  }
}

bool DropTarget::bind(HWND window) {
  if (bound_window_) return false;
  bound_window_ = window;
  return RegisterDragDrop(window, this) == S_OK;
}

void DropTarget::unbind() {
  if (!bound_window_) return;
  RevokeDragDrop(std::exchange(bound_window_, nullptr));
}

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID id, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropTarget::AddRef() { return ++references_; }

ULONG STDMETHODCALLTYPE DropTarget::Release() {
  if (owned_ && references_ <= 1) return references_;  // the owner's reference stays
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                                                DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  if (helper_) {
    POINT at = point_of(point);
    helper_->DragEnter(bound_window_, data, &at, *effect);
  }
  FORMATETC format = file_list_format();
  can_drop_ = data && data->QueryGetData(&format) == S_OK;
  *effect = drop_effect(can_drop_, key_state, *effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD key_state, POINTL point, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  if (helper_) {
    POINT at = point_of(point);
    helper_->DragOver(&at, *effect);
  }
  *effect = drop_effect(can_drop_, key_state, *effect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() {
  if (helper_) helper_->DragLeave();
  can_drop_ = false;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD key_state, POINTL point,
                                           DWORD* effect) {
  if (!effect) return E_FAIL;
  if (helper_) {
    POINT at = point_of(point);
    helper_->Drop(data, &at, *effect);
  }
  *effect = drop_effect(can_drop_, key_state, *effect);
  if (*effect == DROPEFFECT_NONE || !data) return E_FAIL;
  // No exception may leave a COM method: a failure here delivers nothing, or the rest.
  try {
    deliver_files(data);
  } catch (...) {
  }
  return E_FAIL;
}

void DropTarget::deliver_files(IDataObject* data) {
  FORMATETC format = file_list_format();
  std::optional<std::vector<std::string>> paths;
  {
    StorageMedium medium;
    if (FAILED(data->GetData(&format, medium.put()))) {
      medium.forget();
      return;
    }
    if (medium.get().tymed != TYMED_HGLOBAL) return;
    paths = paths_of_drop_files(medium.get().hGlobal);
  }  // the medium is given back before the handler runs
  if (paths && got_file_) got_file_(file_list_text(*paths));
}
