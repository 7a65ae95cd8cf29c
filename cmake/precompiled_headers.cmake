# Precompiled headers for the Qt and test targets (KX_PCH): Qt's and GoogleTest's
# headers are most of what a widget or test source costs to compile, so a clean
# build (CI's) takes about half the time. Off by default: ccache does not cache
# sources built against a precompiled header, and a developer's incremental build
# gains nothing from it.

set(KX_PCH_QT_CORE <QCoreApplication> <QElapsedTimer> <QObject> <QString> <QStringList> <QTimer>
    <memory> <string> <vector>)
set(KX_PCH_QT_WIDGETS ${KX_PCH_QT_CORE} <QApplication> <QComboBox> <QHBoxLayout> <QHeaderView> <QLabel>
    <QLineEdit> <QPainter> <QPushButton> <QTableView> <QVBoxLayout> <QWidget>)

# kx_precompile(TARGET KIND [test]): KIND is core (Qt-free), qt (QtCore) or widgets;
# `test` adds GoogleTest.
function(kx_precompile target kind)
  if(NOT KX_PCH)
    return()
  endif()
  set(headers)
  if(kind STREQUAL "qt")
    set(headers ${KX_PCH_QT_CORE})
  elseif(kind STREQUAL "widgets")
    set(headers ${KX_PCH_QT_WIDGETS})
  endif()
  if("test" IN_LIST ARGN)
    list(APPEND headers <gtest/gtest.h>)
  endif()
  if(headers)
    target_precompile_headers(${target} PRIVATE ${headers})
  endif()
endfunction()
