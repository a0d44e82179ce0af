// The commands the main window's event tables bind to its events.
#pragma once

#include <string>

class MainWindow;

void on_window_created(MainWindow& window, const std::string& argument);
void on_window_will_be_destroyed(MainWindow& window, const std::string& argument);
void start_split_clicked(MainWindow& window, const std::string& argument);
void add_files_clicked(MainWindow& window, const std::string& argument);
void clear_list_clicked(MainWindow& window, const std::string& argument);
void browse_folder_clicked(MainWindow& window, const std::string& argument);
// The got-file handler of the drop target: appends every path of the file-list text.
void files_dropped(MainWindow& window, const std::string& file_list);
