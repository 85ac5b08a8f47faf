# The bash, zsh and fish completions of zelk, written at configure time from
# one table of flags and one of option lines (packaging/completion/*.tsv) into
# each shell's template, so that the three shells offer the same words with
# the same descriptions. Output: completions/ in the build folder.

set(zelk_completion_dir ${PROJECT_SOURCE_DIR}/packaging/completion)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${zelk_completion_dir}/flags.tsv ${zelk_completion_dir}/option-lines.tsv)

# Reads `file`'s entries (word, kind, description) into the lists
# <prefix>_words, <prefix>_kinds and <prefix>_descriptions.
function(zelk_read_completion_table file prefix)
  file(STRINGS ${file} lines REGEX "^[^#]")
  set(words)
  set(kinds)
  set(descriptions)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^([^\t]+)\t([^\t]+)\t([^\t]+)$")
      message(FATAL_ERROR "${file}: not word<TAB>kind<TAB>description: ${line}")
    endif()
    list(APPEND words "${CMAKE_MATCH_1}")
    list(APPEND kinds "${CMAKE_MATCH_2}")
    list(APPEND descriptions "${CMAKE_MATCH_3}")
  endforeach()
  set(${prefix}_words "${words}" PARENT_SCOPE)
  set(${prefix}_kinds "${kinds}" PARENT_SCOPE)
  set(${prefix}_descriptions "${descriptions}" PARENT_SCOPE)
endfunction()

# `text` in single quotes for a POSIX shell (and fish, whose quotes agree for
# the texts of the tables: no backslashes).
function(zelk_shell_quote text out)
  string(REPLACE "'" "'\\''" text "${text}")
  set(${out} "'${text}'" PARENT_SCOPE)
endfunction()

zelk_read_completion_table(${zelk_completion_dir}/flags.tsv flag)
zelk_read_completion_table(${zelk_completion_dir}/option-lines.tsv line)

set(ZELK_BASH_FLAGS "")
set(ZELK_ZSH_FLAGS "")
set(ZELK_ZSH_FLAG_KINDS "")
set(ZELK_FISH_FLAGS "")
foreach(word kind description IN ZIP_LISTS flag_words flag_kinds flag_descriptions)
  string(APPEND ZELK_BASH_FLAGS "${word}\\t${kind}\\t${description}\\n")
  zelk_shell_quote("${word}:${description}" quoted)
  string(APPEND ZELK_ZSH_FLAGS "  ${quoted}\n")
  if(NOT kind STREQUAL "-")
    zelk_shell_quote("${kind}" quoted)
    string(APPEND ZELK_ZSH_FLAG_KINDS " ${word} ${quoted}")
  endif()
  string(REGEX REPLACE "^--" "" long "${word}")
  zelk_shell_quote("${description}" quoted)
  set(values "")
  if(kind MATCHES "^\\((.*)\\)$")
    set(values " -x -a '${CMAKE_MATCH_1}'")
  elseif(kind STREQUAL "typed")
    set(values " -x")
  elseif(kind STREQUAL "file")
    set(values " -r -F")
  endif()
  string(APPEND ZELK_FISH_FLAGS "complete -c zelk -l ${long}${values} -d ${quoted}\n")
endforeach()

set(ZELK_BASH_OPTION_LINES "")
set(ZELK_ZSH_OPTION_LINES "")
set(ZELK_FISH_OPTION_LINES "")
set(log_letters)
foreach(word kind description IN ZIP_LISTS line_words line_kinds line_descriptions)
  string(APPEND ZELK_BASH_OPTION_LINES "${word}\\t${kind}\\t${description}\\n")
  zelk_shell_quote("${word}:${description}" quoted)
  string(APPEND ZELK_ZSH_OPTION_LINES "  ${quoted}\n")
  zelk_shell_quote("${word}\t${description}" quoted)
  string(APPEND ZELK_FISH_OPTION_LINES "    printf '%s\\n' ${quoted}\n")
  if(kind STREQUAL "path")
    string(REGEX REPLACE "^-" "" letters "${word}")
    list(APPEND log_letters "${letters}")
  endif()
endforeach()
list(JOIN log_letters "|" ZELK_LOG_LETTERS)

# Bash takes the two tables as $'...' strings, one entry a line.
string(REGEX REPLACE "\\\\n$" "" ZELK_BASH_FLAGS "${ZELK_BASH_FLAGS}")
string(REGEX REPLACE "\\\\n$" "" ZELK_BASH_OPTION_LINES "${ZELK_BASH_OPTION_LINES}")
string(REPLACE "'" "\\'" ZELK_BASH_FLAGS "${ZELK_BASH_FLAGS}")
string(REPLACE "'" "\\'" ZELK_BASH_OPTION_LINES "${ZELK_BASH_OPTION_LINES}")
set(ZELK_BASH_FLAGS "$'${ZELK_BASH_FLAGS}'")
set(ZELK_BASH_OPTION_LINES "$'${ZELK_BASH_OPTION_LINES}'")

set(ZELK_COMPLETION_OUTPUT ${PROJECT_BINARY_DIR}/completions)
configure_file(${zelk_completion_dir}/zelk.bash.in ${ZELK_COMPLETION_OUTPUT}/zelk @ONLY)
configure_file(${zelk_completion_dir}/zelk.zsh.in ${ZELK_COMPLETION_OUTPUT}/_zelk @ONLY)
configure_file(${zelk_completion_dir}/zelk.fish.in ${ZELK_COMPLETION_OUTPUT}/zelk.fish @ONLY)
