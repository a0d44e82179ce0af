// The drop target 拖放对象1 on the real main window: its registration on the list view
// from start-up to the window's end, its IDropTarget face called as OLE calls it with a
// data object of the tests' own, and the got-file handler that appends the dropped paths.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/drag_source.h"
#include "tests/win/drop_effect_table.h"
#include "tests/win/window_fixture.h"
#include "ui/drop_target.h"
#include "ui/source_list.h"

namespace {

constexpr POINTL kPoint = {100, 100};
constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

ULONG references(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// Releases a test data object at the end of a scope.
struct DataDeleter {
  void operator()(OfferedData* data) const { data->Release(); }
};
using Data = std::unique_ptr<OfferedData, DataDeleter>;

Data files_data(const std::vector<std::string>& names, bool wide = false) {
  return Data(OfferedData::create(CF_HDROP, drop_files_block(names, wide)));
}

// A second drop target, unbound, that records the file-list texts it delivers.
struct RecordingTarget {
  RecordingTarget()
      : target(DropTarget::create([this](const std::string& text) { texts.push_back(text); })) {}
  std::vector<std::string> texts;
  DropTarget::Owner target;
};

// Enters with `data` and drops it, as OLE does for a drag released over the window.
HRESULT enter_and_drop(IDropTarget* target, IDataObject* data, DWORD keys = MK_LBUTTON,
                       DWORD* final_effect = nullptr) {
  DWORD effect = kAnyEffect;
  target->DragEnter(data, keys, kPoint, &effect);
  effect = kAnyEffect;
  const HRESULT result = target->Drop(data, keys & ~MK_LBUTTON, kPoint, &effect);
  if (final_effect) *final_effect = effect;
  return result;
}

class DropTargetTest : public WindowTest {
 protected:
  DropTarget& target() { return *window_->drop_target_of(拖放对象1); }
  HWND list() { return member(超级列表框1); }
};

TEST_F(DropTargetTest, OnlyTheListViewIsRegisteredAtStartUp) {
  ASSERT_NE(window_->drop_target_of(拖放对象1), nullptr);
  EXPECT_EQ(target().bound_window(), list());
  RecordingTarget other;
  ASSERT_TRUE(other.target);
  EXPECT_EQ(RegisterDragDrop(list(), other.target.get()), DRAGDROP_E_ALREADYREGISTERED);
  // Every other window of the main window, the window itself included, is free.
  const WindowTemplate& layout = main_window_template();
  for (int32_t position = 0; position < static_cast<int32_t>(layout.count); ++position) {
    if (position == 超级列表框1 || layout.members[position].kind == MemberKind::DropTarget) {
      EXPECT_EQ(window_->drop_target_of(position) != nullptr, position == 拖放对象1);
      continue;
    }
    SCOPED_TRACE(layout.members[position].name);
    EXPECT_EQ(window_->drop_target_of(position), nullptr);
    EXPECT_EQ(RegisterDragDrop(member(position), other.target.get()), S_OK);
    EXPECT_EQ(RevokeDragDrop(member(position)), S_OK);
  }
}

TEST_F(DropTargetTest, BindsOnceAndUnbindsHarmlesslyTwice) {
  RecordingTarget other;
  ASSERT_TRUE(other.target);
  const ULONG while_bound = references(&target());

  target().unbind();
  EXPECT_EQ(target().bound_window(), nullptr);
  EXPECT_EQ(references(&target()), 1u);  // the registration's reference is given back
  EXPECT_LT(references(&target()), while_bound);
  target().unbind();
  EXPECT_EQ(references(&target()), 1u);
  EXPECT_EQ(RegisterDragDrop(list(), other.target.get()), S_OK);
  EXPECT_EQ(RevokeDragDrop(list()), S_OK);

  EXPECT_TRUE(target().bind(list()));
  EXPECT_EQ(references(&target()), while_bound);
  // A second Bind answers false and leaves the first registration in force.
  EXPECT_FALSE(target().bind(list()));
  EXPECT_FALSE(target().bind(member(按钮4)));
  EXPECT_EQ(target().bound_window(), list());
  EXPECT_EQ(RegisterDragDrop(list(), other.target.get()), DRAGDROP_E_ALREADYREGISTERED);
  EXPECT_EQ(RegisterDragDrop(member(按钮4), other.target.get()), S_OK);
  RevokeDragDrop(member(按钮4));

  // A registration that fails keeps the window recorded until Unbind, which passes quietly.
  target().unbind();
  HWND gone =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(gone, nullptr);
  DestroyWindow(gone);
  EXPECT_FALSE(target().bind(gone));
  EXPECT_FALSE(target().bind(list()));
  target().unbind();
  EXPECT_EQ(references(&target()), 1u);
  EXPECT_TRUE(target().bind(list()));
}

TEST_F(DropTargetTest, IsUnboundWhileTheListStillExistsWhenTheWindowGoes) {
  IDropTarget* face = &target();
  ASSERT_GT(references(face), 1u);  // the registration holds a reference
  DestroyWindow(main());
  EXPECT_FALSE(window_->exists());
  EXPECT_EQ(target().bound_window(), nullptr);
  // RevokeDragDrop found the list view's window and gave the registration's reference back.
  EXPECT_EQ(references(face), 1u);
}

TEST_F(DropTargetTest, FaceAnswersForIUnknownAndIDropTargetOnly) {
  RecordingTarget recording;
  ASSERT_TRUE(recording.target);
  IDropTarget* face = recording.target.get();
  EXPECT_EQ(references(face), 1u);

  void* got = nullptr;
  EXPECT_EQ(face->QueryInterface(IID_IUnknown, &got), S_OK);
  EXPECT_EQ(got, static_cast<void*>(face));
  EXPECT_EQ(face->QueryInterface(IID_IDropTarget, &got), S_OK);
  EXPECT_EQ(got, static_cast<void*>(face));
  EXPECT_EQ(references(face), 3u);
  for (const IID* other : {&IID_IDataObject, &IID_IDropSource, &IID_IDropTargetHelper,
                           &IID_IMarshal, &IID_IClassFactory}) {
    got = face;
    EXPECT_EQ(face->QueryInterface(*other, &got), E_NOINTERFACE);
    EXPECT_EQ(got, nullptr);
  }
  EXPECT_EQ(face->AddRef(), 4u);
  EXPECT_EQ(face->Release(), 3u);
  EXPECT_EQ(face->Release(), 2u);
  EXPECT_EQ(face->Release(), 1u);
  // The owner's reference is never given up through Release: one Release too many leaves
  // the object alive and working.
  EXPECT_EQ(face->Release(), 1u);
  Data files = files_data({"C:\\a.txt"});
  EXPECT_EQ(enter_and_drop(face, files.get()), E_FAIL);
  EXPECT_EQ(recording.texts, std::vector<std::string>{"C:\\a.txt"});
  // The target keeps no reference to the data once the drop is over.
  EXPECT_EQ(files->references(), 1u);
}

TEST_F(DropTargetTest, EffectFollowsTheKeysAndTheAllowedEffects) {
  Data files = files_data({"C:\\a.txt"});
  Data text = Data(OfferedData::create(CF_TEXT, std::string("C:\\a.txt\0", 9)));
  std::size_t expected_rows = 0;
  for (const KeyRow& row : kEffectTable) {
    for (DWORD allowed = 0; allowed < kAllowedSets; ++allowed) {
      SCOPED_TRACE(std::string(row.keys) + ", allowed " + std::to_string(allowed));
      const DWORD expected = row.expected[allowed];
      DWORD effect = allowed;
      EXPECT_EQ(target().DragEnter(files.get(), row.key_state, kPoint, &effect), S_OK);
      EXPECT_EQ(effect, expected);
      effect = allowed;
      EXPECT_EQ(target().DragOver(row.key_state, kPoint, &effect), S_OK);
      EXPECT_EQ(effect, expected);
      // Drop answers E_FAIL in every case and delivers when the effect allows a drop.
      effect = allowed;
      EXPECT_EQ(target().Drop(files.get(), row.key_state, kPoint, &effect), E_FAIL);
      EXPECT_EQ(effect, expected);
      if (expected != DROPEFFECT_NONE) ++expected_rows;
      EXPECT_EQ(rows().size(), expected_rows);

      // Without a file list nothing may be dropped, whatever the keys.
      effect = allowed;
      EXPECT_EQ(target().DragEnter(text.get(), row.key_state, kPoint, &effect), S_OK);
      EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
      effect = allowed;
      EXPECT_EQ(target().DragOver(row.key_state, kPoint, &effect), S_OK);
      EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
      effect = allowed;
      EXPECT_EQ(target().Drop(text.get(), row.key_state, kPoint, &effect), E_FAIL);
      EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    }
  }
  EXPECT_EQ(text->get_data_calls(), 0);
  EXPECT_EQ(rows().size(), expected_rows);
}

TEST_F(DropTargetTest, LeavingForgetsTheFileList) {
  Data files = files_data({"C:\\a.txt"});
  DWORD effect = kAnyEffect;
  target().DragEnter(files.get(), MK_LBUTTON, kPoint, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target().DragLeave(), S_OK);
  effect = kAnyEffect;
  EXPECT_EQ(target().DragOver(MK_LBUTTON, kPoint, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = kAnyEffect;
  EXPECT_EQ(target().Drop(files.get(), 0, kPoint, &effect), E_FAIL);
  EXPECT_EQ(files->get_data_calls(), 0);
  EXPECT_TRUE(rows().empty());
}

struct DropCase {
  const char* what;
  std::vector<std::string> names;
  bool wide;
};

std::string repeated(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

TEST_F(DropTargetTest, DropAppendsEveryPathWholeInTheListsOrder) {
  const std::string small = "\xD0\xA1";            // 小
  const std::string backslash_trail = "\x81\x5C";  // a character whose second byte is "\"
  const std::string book = "C:\\书\\" + backslash_trail + "目录\\小说.txt";
  const std::vector<DropCase> cases = {
      {"one file", {"C:\\books\\novel.txt"}, false},
      {"several, a folder and a duplicate",
       {"C:\\b.txt", "C:\\a.txt", "C:\\books", "C:\\b.txt"},
       false},
      {"double-byte names", {book, "D:\\" + small}, false},
      {"double-byte names, wide", {book, "D:\\" + small}, true},
      {"paths over 260 bytes",
       {"C:\\" + std::string(300, 'x') + ".txt", "C:\\" + std::string(4000, 'y')},
       false},
      {"long double-byte paths",
       {"C:\\" + repeated(small, 200), "C:\\" + repeated(backslash_trail, 700)},
       false},
      {"long double-byte paths, wide",
       {"C:\\" + repeated(small, 200), "C:\\" + std::string(1000, 'z')},
       true},
  };
  std::vector<std::string> expected_rows;
  for (const DropCase& c : cases) {
    SCOPED_TRACE(c.what);
    Data files = files_data(c.names, c.wide);
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(enter_and_drop(&target(), files.get(), MK_LBUTTON, &effect), E_FAIL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    expected_rows.insert(expected_rows.end(), c.names.begin(), c.names.end());
    EXPECT_EQ(rows(), expected_rows);
  }
}

TEST_F(DropTargetTest, FileListTextHoldsOnePathOrEveryPathWithItsLineEnd) {
  struct TextCase {
    std::vector<std::string> names;
    std::string text;
  };
  const std::vector<TextCase> cases = {
      {{"C:\\a.txt"}, "C:\\a.txt"},
      {{"C:\\a.txt", "C:\\书"}, "C:\\a.txt\r\nC:\\书\r\n"},
      {{"C:\\a", "C:\\a", "D:\\"}, "C:\\a\r\nC:\\a\r\nD:\\\r\n"},
      {{}, ""},
  };
  for (bool wide : {false, true}) {
    RecordingTarget recording;
    ASSERT_TRUE(recording.target);
    std::vector<std::string> expected;
    for (const TextCase& c : cases) {
      Data files = files_data(c.names, wide);
      EXPECT_EQ(enter_and_drop(recording.target.get(), files.get()), E_FAIL);
      expected.push_back(c.text);
    }
    EXPECT_EQ(recording.texts, expected) << (wide ? "wide" : "bytes");
  }
  // The empty list reaches the window's handler too, and adds no row.
  Data none = files_data({});
  EXPECT_EQ(enter_and_drop(&target(), none.get()), E_FAIL);
  EXPECT_TRUE(rows().empty());
}

TEST_F(DropTargetTest, ABrokenFileListDeliversNothing) {
  const std::string good = drop_files_block({"C:\\a.txt", "C:\\b.txt"});
  const std::string good_wide = drop_files_block({"C:\\a.txt"}, true);
  struct BrokenCase {
    const char* what;
    std::string block;
  };
  const BrokenCase cases[] = {
      {"shorter than its header", good.substr(0, sizeof(DROPFILES) - 1)},
      {"names start past the end", with_names_offset(good, 0x7FFFFFF0)},
      {"names start inside the header", with_names_offset(good, 4)},
      {"no closing empty name", good.substr(0, good.size() - 1)},
      {"last name without its NUL", good.substr(0, good.size() - 2)},
      {"wide, cut inside the closing name", good_wide.substr(0, good_wide.size() - 1)},
  };
  RecordingTarget recording;
  ASSERT_TRUE(recording.target);
  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.what);
    Data files(OfferedData::create(CF_HDROP, c.block));
    EXPECT_EQ(enter_and_drop(recording.target.get(), files.get()), E_FAIL);
    EXPECT_EQ(enter_and_drop(&target(), files.get()), E_FAIL);
    EXPECT_EQ(files->get_data_calls(), 2);
  }
  // A data object that offers a file list but fails to hand it over.
  Data failing = files_data({"C:\\a.txt"});
  failing->fail_get_data();
  EXPECT_EQ(enter_and_drop(recording.target.get(), failing.get()), E_FAIL);
  EXPECT_EQ(failing->get_data_calls(), 1);

  EXPECT_TRUE(recording.texts.empty());
  EXPECT_TRUE(rows().empty());
}

TEST_F(DropTargetTest, GotFileHandlerAppendsEveryNonEmptyPieceInOrder) {
  window_->raise_event(拖放对象1, drop_got_file, "C:\\a.txt");
  window_->raise_event(拖放对象1, drop_got_file, "");
  window_->raise_event(拖放对象1, drop_got_file, "C:\\b\r\n\r\nD:\\书\r\nC:\\a.txt\r\n");
  window_->raise_event(拖放对象1, drop_got_file, "E:\\c\r\nE:\\d");
  EXPECT_EQ(rows(), (std::vector<std::string>{"C:\\a.txt", "C:\\b", "D:\\书", "C:\\a.txt",
                                               "E:\\c", "E:\\d"}));
}

}  // namespace
