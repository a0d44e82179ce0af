// Every text of the window program that the user can see, apart from the window template's
// captions, kept in one table. Sources are UTF-8; the Windows build stores the literals in
// the ANSI code page (936).
#pragma once

enum class UiText {
  message_caption,         // caption of the split run's message boxes
  fatal_caption,           // caption of the fatal error report
  fatal_heading,           // first line of the fatal error report
  fatal_code_label,        // before the error code of a fatal error
  fatal_message_label,     // before the message of a fatal error
  template_unreadable,     // the window template could not be read
  window_load_failed,      // the main window or a member could not be created
  window_not_built,        // a member was accessed while the main window was not built
  member_window_missing,   // a member's text was accessed while its window was missing
  member_handle_missing,   // a member's window handle was asked for while it was missing
  open_files_title,        // title of the open-files dialog
  open_files_filter,       // the dialog's filter, written with "|" separators
  source_list_column,      // the title of the source list's only column
  browse_folder_title,     // title of the folder browser
};

const char* ui_text(UiText which);
