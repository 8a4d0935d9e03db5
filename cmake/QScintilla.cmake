# SPDX-License-Identifier: GPL-3.0-or-later
# QScintilla 2.13.3 (with the Scintilla inside it), the version Debian 12 ships, built here from
# Debian's source archive with three changes. Two are for pages that are one long line (minified
# HTML), which Scintilla lays out whole whenever the line changes:
# - its position cache keeps the measured widths of every piece of a line the layout measures (up
#   to 300 bytes), not only of pieces shorter than 30 bytes; without this nearly all of the line
#   was measured again through QTextLayout, about 0.6 s a key on 1 MB;
# - inserted text takes the style of the character before it, as the editor control then colours
#   it anyway, instead of style 0: the style change after each key otherwise made Scintilla lay
#   the line out a second time.
# The third lets a file be loaded into a new document while the old one stays shown: making a
# loader no longer resets the folding state of the view that made it, which left the view with
# no lines of its current document when the load was then given up (a file that is no text).
# The archive is checked against its SHA-256; the library is static and uninstrumented (a sanitized
# build checks our code, not Scintilla's), and built without our warnings.
#
# Defines QScintilla::QScintilla.

set(QSCINTILLA_ARCHIVE_NAME "qscintilla2_2.13.3+dfsg.orig.tar.gz")
set(QSCINTILLA_ARCHIVE_SHA256 "ac0ad6e9fe452b56d8b6fd887a685edde4494b76ce40535a13073bcd45befdf1")
set(QSCINTILLA_ARCHIVE_URLS
    "http://deb.debian.org/debian/pool/main/q/qscintilla2/${QSCINTILLA_ARCHIVE_NAME}"
    "https://snapshot.debian.org/archive/debian/20250520T000000Z/pool/main/q/qscintilla2/${QSCINTILLA_ARCHIVE_NAME}")
# A folder holding the archive already (for a machine without network) saves the download.
set(QSCINTILLA_ARCHIVE_DIR "${CMAKE_BINARY_DIR}/_deps" CACHE PATH "Where the QScintilla source archive is kept")

set(archive "${QSCINTILLA_ARCHIVE_DIR}/${QSCINTILLA_ARCHIVE_NAME}")
if(EXISTS "${archive}")
    file(SHA256 "${archive}" actual)
    if(NOT actual STREQUAL QSCINTILLA_ARCHIVE_SHA256)
        file(REMOVE "${archive}")
    endif()
endif()
foreach(url IN LISTS QSCINTILLA_ARCHIVE_URLS)
    if(EXISTS "${archive}")
        break()
    endif()
    message(STATUS "Downloading ${url}")
    file(DOWNLOAD "${url}" "${archive}.part" EXPECTED_HASH SHA256=${QSCINTILLA_ARCHIVE_SHA256} STATUS status)
    list(GET status 0 code)
    if(code EQUAL 0)
        file(RENAME "${archive}.part" "${archive}")
    else()
        file(REMOVE "${archive}.part")
        message(STATUS "Download failed: ${status}")
    endif()
endforeach()
if(NOT EXISTS "${archive}")
    message(FATAL_ERROR "Could not download ${QSCINTILLA_ARCHIVE_NAME} from Debian's archive. Put it in "
                        "${QSCINTILLA_ARCHIVE_DIR} (or set QSCINTILLA_ARCHIVE_DIR) and configure again.")
endif()

set(source "${CMAKE_BINARY_DIR}/_deps/qscintilla2-2.13.3+dfsg")
# Named after the set of changes, so a build folder made with an earlier set extracts afresh.
set(stamp "${source}/.zorvane-changes-3")
if(NOT EXISTS "${stamp}")
    file(REMOVE_RECURSE "${source}")
    file(ARCHIVE_EXTRACT INPUT "${archive}" DESTINATION "${CMAKE_BINARY_DIR}/_deps")
    # The change: each edit must find exactly what it replaces, so another archive cannot slip
    # through unchanged.
    function(qscintilla_replace file old new)
        file(READ "${source}/${file}" text)
        string(FIND "${text}" "${old}" at)
        if(at EQUAL -1)
            message(FATAL_ERROR "QScintilla source: '${old}' not found in ${file}")
        endif()
        string(REPLACE "${old}" "${new}" text "${text}")
        file(WRITE "${source}/${file}" "${text}")
    endfunction()
    qscintilla_replace(scintilla/src/PositionCache.h "unsigned int len:8;" "unsigned int len:16;")
    qscintilla_replace(scintilla/src/PositionCache.cpp "(len < 30)" "(len < BreakFinder::lengthStartSubdivision)")
    qscintilla_replace(scintilla/src/CellBuffer.cpp "style.InsertValue(position, insertLength, 0);"
        "style.InsertValue(position, insertLength, position > 0 ? style.ValueAt(position - 1) : 0);")
    qscintilla_replace(scintilla/src/Editor.cpp
        "doc->SetUndoCollection(false);\n\t\t\tpcs = ContractionStateCreate(pdoc->IsLarge());"
        "doc->SetUndoCollection(false);")
    file(TOUCH "${stamp}")
endif()

find_package(Qt6 REQUIRED COMPONENTS Widgets PrintSupport)
file(GLOB qscintilla_sources
    "${source}/src/*.cpp"
    "${source}/scintilla/src/*.cpp"
    "${source}/scintilla/lexlib/*.cpp"
    "${source}/scintilla/lexers/*.cpp")
list(FILTER qscintilla_sources EXCLUDE REGEX "/MacPasteboardMime\\.cpp$")
file(GLOB qscintilla_headers "${source}/src/Qsci/*.h" "${source}/src/*.h")
add_library(qscintilla STATIC ${qscintilla_sources} ${qscintilla_headers})
set_target_properties(qscintilla PROPERTIES CXX_STANDARD 17 AUTOUIC OFF AUTORCC OFF POSITION_INDEPENDENT_CODE ON)
# Scintilla's own include folder is public for its loader interface (ILoader.h).
target_include_directories(qscintilla SYSTEM PUBLIC "${source}/src" "${source}/scintilla/include")
target_include_directories(qscintilla PRIVATE "${source}/scintilla/lexlib" "${source}/scintilla/src")
target_compile_definitions(qscintilla PRIVATE SCINTILLA_QT SCI_LEXER INCLUDE_DEPRECATED_FEATURES)
target_compile_options(qscintilla PRIVATE -w)
target_link_libraries(qscintilla PUBLIC Qt6::Widgets Qt6::PrintSupport)
add_library(QScintilla::QScintilla ALIAS qscintilla)
