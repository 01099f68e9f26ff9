# Splits the sources of the subsystem folders into the Qt-free core and the Qt widgets.
# A file belongs to the widgets when its name marks it as a form, panel, dialog, widget or a
# Qt adapter: *_panel.*, *_dialog.*, form1_*, *_widget.*, *_qt.*. Everything else is core.
set(KIRIVANE_UI_NAME_REGEX "(_panel|_dialog|_widget|_qt)\\.(cpp|h)$|/form1_[^/]*$")

function(kirivane_collect_sources core_var ui_var)
  set(core_files)
  set(ui_files)
  foreach(folder ${ARGN})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp
         ${CMAKE_SOURCE_DIR}/${folder}/*.h)
    foreach(source ${found})
      if(source MATCHES "${KIRIVANE_UI_NAME_REGEX}")
        list(APPEND ui_files ${source})
      else()
        list(APPEND core_files ${source})
      endif()
    endforeach()
  endforeach()
  set(${core_var} ${core_files} PARENT_SCOPE)
  set(${ui_var} ${ui_files} PARENT_SCOPE)
endfunction()

# With Ninja, a target's moc step is re-run only when a file it already knows changes, so a
# Q_OBJECT header that a later glob adds would never be moc'ed in an existing build folder.
# A list of the target's sources, rewritten only when it changes, makes the step re-run.
function(kirivane_autogen_follows_sources target)
  set(list_file ${CMAKE_BINARY_DIR}/autogen-sources-${target}.txt)
  string(JOIN "\n" content ${ARGN})
  file(CONFIGURE OUTPUT ${list_file} CONTENT "${content}")
  set_property(TARGET ${target} APPEND PROPERTY AUTOGEN_TARGET_DEPENDS ${list_file})
endfunction()
