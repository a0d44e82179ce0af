#include "ui/commands.h"

#include "split/split_run.h"
#include "ui/file_list_text.h"
#include "ui/main_window.h"
#include "ui/open_files_dialog.h"
#include "ui/output_folder.h"
#include "ui/source_list.h"
#include "ui/texts.h"
#include "ui/window_host.h"

// The output folder is filled before the list takes drops. A failed registration leaves the
// list without drops and the window working otherwise.
void on_window_created(MainWindow& window, const std::string&) {
  window.write_member_text(编辑框1, desktop_folder_text());
  if (DropTarget* target = window.drop_target_of(拖放对象1)) {
    target->bind(window.window_handle_of(超级列表框1));
  }
}

// Runs while the list view still exists, so that its registration can be revoked.
void on_window_will_be_destroyed(MainWindow& window, const std::string&) {
  if (DropTarget* target = window.drop_target_of(拖放对象1)) target->unbind();
}

void start_split_clicked(MainWindow& window, const std::string&) {
  WindowHost host(window);
  run_split(host);
}

void add_files_clicked(MainWindow& window, const std::string&) {
  for (const std::string& path : choose_source_files(window.handle())) {
    source_list::append_path(window.window_handle_of(超级列表框1), path);
  }
}

void clear_list_clicked(MainWindow& window, const std::string&) {
  source_list::clear(window.window_handle_of(超级列表框1));
}

void browse_folder_clicked(MainWindow& window, const std::string&) {
  window.write_member_text(编辑框1, browse_for_folder(ui_text(UiText::browse_folder_title)));
}

void files_dropped(MainWindow& window, const std::string& file_list) {
  HWND list = window.window_handle_of(超级列表框1);
  for (const std::string& path : paths_in_file_list_text(file_list)) {
    source_list::append_path(list, path);
  }
}
