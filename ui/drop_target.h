// The drop target: the OLE IDropTarget that lets files be dropped onto a window. It takes
// file lists (CF_HDROP) only, shows the drop effect while a drag is over its window, and on
// a drop hands the dropped paths, as one file-list text, to its got-file handler.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shobjidl.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/com_ptr.h"

class DropTarget final : public IDropTarget {
 public:
  // Gets the file-list text of a drop; it runs to its end inside Drop.
  using GotFileHandler = std::function<void(const std::string& file_list)>;

  // Gives up the owner's reference: unbinds, forgets the handler and frees the object
  // unless OLE still holds a reference of its own.
  struct OwnerRelease {
    void operator()(DropTarget* target) const;
  };
  using Owner = std::unique_ptr<DropTarget, OwnerRelease>;

  // A new unbound drop target holding the owner's reference; null when out of memory.
  // Needs COM on the thread for the shell's drag-image helper; works without it.
  static Owner create(GotFileHandler got_file);

  DropTarget(const DropTarget&) = delete;
  DropTarget& operator=(const DropTarget&) = delete;

  // Registers `window` for drops with RegisterDragDrop. False when already bound (the first
  // registration stays) or when the registration fails; the window stays recorded even then.
  bool bind(HWND window);
  // Revokes the recorded window's registration, if any. Harmless when unbound.
  void unbind();
  HWND bound_window() const { return bound_window_; }

  // IUnknown: the same face for IID_IUnknown and IID_IDropTarget, nothing else.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
  // While the owner holds its reference the count never drops below 1.
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IDropTarget. Drop answers E_FAIL in every case, also after delivering the paths, so
  // that a drag source never takes a move as done and deletes what was dropped.
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD key_state, POINTL point,
                                      DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD key_state, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD key_state, POINTL point,
                                 DWORD* effect) override;

 private:
  explicit DropTarget(GotFileHandler got_file);
  ~DropTarget() = default;

  void deliver_files(IDataObject* data);

  ULONG references_ = 1;
  bool owned_ = true;
  HWND bound_window_ = nullptr;
  bool can_drop_ = false;
  ComPtr<IDropTargetHelper> helper_;
  GotFileHandler got_file_;
};
