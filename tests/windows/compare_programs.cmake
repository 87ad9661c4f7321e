# The trellis program built for Windows, run under wine, against the same
# program built for Linux from the same sources: the same command in two
# scratch folders of the same layout must give the same exit status, the
# same standard output and error, and the same files (JSON compared as
# values). Fails naming every difference.
#   cmake -DCASE=info|build|edit|bad_scene -DWINE_RUNNER=... -DWINDOWS_PROGRAM=...
#         -DLINUX_PROGRAM=... -DSCRATCH=... -P compare_programs.cmake
foreach(variable CASE WINE_RUNNER WINDOWS_PROGRAM LINUX_PROGRAM SCRATCH)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "compare_programs.cmake needs -D${variable}=...")
  endif()
endforeach()

set(SIDES windows linux)
file(REMOVE_RECURSE ${SCRATCH})
foreach(side IN LISTS SIDES)
  file(MAKE_DIRECTORY ${SCRATCH}/${side})
endforeach()

function(difference text)
  message(SEND_ERROR "${CASE}: ${text}")
endfunction()

# Runs the program of `side` in its scratch folder; sets <side>_status,
# <side>_out and <side>_err in the caller.
function(run_side side)
  if(side STREQUAL "windows")
    set(command ${WINE_RUNNER} ${WINDOWS_PROGRAM})
  else()
    set(command ${LINUX_PROGRAM})
  endif()
  execute_process(COMMAND ${command} ${ARGN}
    WORKING_DIRECTORY ${SCRATCH}/${side}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err
    TIMEOUT 120)
  set(${side}_status "${status}" PARENT_SCOPE)
  set(${side}_out "${out}" PARENT_SCOPE)
  set(${side}_err "${err}" PARENT_SCOPE)
endfunction()

# Runs the command on both sides and requires the same status, output and
# errors; `expected` is the status both must have.
function(same_run expected)
  run_side(windows ${ARGN})
  run_side(linux ${ARGN})
  string(JOIN " " command ${ARGN})
  if(NOT linux_status STREQUAL "${expected}")
    difference("trellis ${command}: Linux exits ${linux_status}, expected ${expected}:\n${linux_err}")
  endif()
  if(NOT windows_status STREQUAL linux_status)
    difference("trellis ${command}: Windows exits ${windows_status}, Linux ${linux_status}:\n${windows_err}")
  endif()
  if(NOT windows_out STREQUAL linux_out)
    difference("trellis ${command}: standard output differs\n--- Windows\n${windows_out}\n--- Linux\n${linux_out}")
  endif()
  if(NOT windows_err STREQUAL linux_err)
    difference("trellis ${command}: standard error differs\n--- Windows\n${windows_err}\n--- Linux\n${linux_err}")
  endif()
  set(windows_out "${windows_out}" PARENT_SCOPE)
  set(linux_out "${linux_out}" PARENT_SCOPE)
endfunction()

# The same file on both sides, as JSON values.
function(same_json name)
  foreach(side IN LISTS SIDES)
    if(NOT EXISTS ${SCRATCH}/${side}/${name})
      difference("${side} wrote no ${name}")
      return()
    endif()
    file(READ ${SCRATCH}/${side}/${name} ${side}_text)
  endforeach()
  string(JSON equal ERROR_VARIABLE error EQUAL "${windows_text}" "${linux_text}")
  if(error)
    difference("${name}: ${error}")
  elseif(NOT equal)
    difference("${name}: the two programs wrote different JSON values")
  endif()
endfunction()

# The same file on both sides, byte for byte.
function(same_bytes name)
  foreach(side IN LISTS SIDES)
    file(SHA256 ${SCRATCH}/${side}/${name} ${side}_hash)
  endforeach()
  if(NOT windows_hash STREQUAL linux_hash)
    difference("${name}: the two programs wrote different bytes")
  endif()
endfunction()

# Copies a file of the Linux side (an input both sides use) to the Windows side.
function(share name)
  file(COPY ${SCRATCH}/linux/${name} DESTINATION ${SCRATCH}/windows)
endfunction()

# Both scratch folders hold exactly these names: no output, no temporary file.
function(expect_only)
  set(expected ${ARGN})
  list(SORT expected)
  foreach(side IN LISTS SIDES)
    file(GLOB entries RELATIVE ${SCRATCH}/${side} LIST_DIRECTORIES true ${SCRATCH}/${side}/* ${SCRATCH}/${side}/.*)
    list(SORT entries)
    if(NOT entries STREQUAL expected)
      difference("${side} left '${entries}', expected '${expected}'")
    endif()
  endforeach()
endfunction()

# The demo scene, written by the Linux program, is the input of every case.
function(write_demo_scene)
  run_side(linux demo --scene scene.json)
  if(NOT linux_status EQUAL 0)
    message(FATAL_ERROR "the Linux program wrote no demo scene: ${linux_err}")
  endif()
  share(scene.json)
endfunction()

if(CASE STREQUAL "info")
  # The plug-in's file differs by platform; its classes do not.
  run_side(windows info)
  run_side(linux info)
  foreach(side IN LISTS SIDES)
    if(NOT ${side}_status EQUAL 0)
      difference("${side} info exits ${${side}_status}: ${${side}_err}")
    endif()
    string(REGEX REPLACE "plugin: [^\n]*" "plugin: FILE" ${side}_listing "${${side}_out}")
  endforeach()
  if(NOT windows_out MATCHES "plugin: [^\n]*\\\\plugins\\\\trellisObject\\.dlo\n")
    difference("the Windows program did not load plugins\\trellisObject.dlo beside it:\n${windows_out}")
  endif()
  if(NOT windows_out MATCHES "  class: \"TrellisObj\"\n")
    difference("the Windows program lists no class TrellisObj:\n${windows_out}")
  endif()
  if(NOT windows_listing STREQUAL linux_listing)
    difference("the listings differ\n--- Windows\n${windows_out}\n--- Linux\n${linux_out}")
  endif()

elseif(CASE STREQUAL "build")
  same_run(0 demo --scene demo-scene.json)
  same_bytes(demo-scene.json)
  write_demo_scene()
  # An older file in the way is replaced whole.
  foreach(side IN LISTS SIDES)
    file(WRITE ${SCRATCH}/${side}/cages.json "an older file")
  endforeach()
  same_run(0 build scene.json --report --json cages.json --svg cages.svg --obj cages.obj --html cages.html)
  same_json(cages.json)
  same_bytes(cages.json)
  same_bytes(cages.svg)
  same_bytes(cages.obj)
  same_bytes(cages.html)
  same_run(0 build scene.json --time 2400 --json -)
  string(JSON equal ERROR_VARIABLE error EQUAL "${windows_out}" "${linux_out}")
  if(error OR NOT equal)
    difference("the JSON on standard output differs ${error}")
  endif()
  expect_only(cages.html cages.json cages.obj cages.svg demo-scene.json scene.json)

elseif(CASE STREQUAL "edit")
  write_demo_scene()
  # A created object, sections added through the chooser, removed and
  # moved, a spline type clicked; the list, the saved scene, the cage.
  same_run(0 edit scene.json --create Cage --at 10,20 --add Foot,Belly,Shoulder,Neck --up 3 --remove 0
           --down 1 --add Lip,Star0 --type Bezier --save edited.json --json cage.json)
  if(NOT windows_out STREQUAL "0: Belly\n1: Shoulder\n2: Neck\n3: Lip\n4: Star0\n")
    difference("the section list reads:\n${windows_out}")
  endif()
  same_json(edited.json)
  same_json(cage.json)
  # An existing object, and the refusals of what a user could not do.
  same_run(0 edit scene.json --object Tower --remove 1 --up 2 --down 0)
  same_run(1 edit scene.json --object Vase --remove 9)
  same_run(1 edit scene.json --object Vase --add Belly)
  same_run(1 edit scene.json --object Vase --add Vase --save refused.json)
  # Windows' shell would start a browser, whose address the program cannot
  # read: Help is not pressed there, and the edit is refused as a whole.
  run_side(windows edit scene.json --object Vase --remove 0 --help-page --save help.json)
  set(refusal "trellis: error: scene.json: --help-page: Help would open a browser here, and the program cannot read its address\n")
  if(NOT windows_status EQUAL 1 OR NOT windows_err STREQUAL refusal)
    difference("--help-page on Windows exits ${windows_status}:\n${windows_err}")
  endif()
  expect_only(cage.json edited.json scene.json)

elseif(CASE STREQUAL "bad_scene")
  write_demo_scene()
  foreach(side IN LISTS SIDES)
    file(WRITE ${SCRATCH}/${side}/bad.json "{ \"nodes\": [ { \"name\": \"A\", \"shape\": { \"circle\": { \"radius\": -1 } } } ] ")
    file(WRITE ${SCRATCH}/${side}/unknown.json "{ \"nodes\": [ { \"name\": \"A\", \"shape\": { \"blob\": {} } } ] }")
    file(MAKE_DIRECTORY ${SCRATCH}/${side}/folder)
  endforeach()
  # Scenes that cannot be used: one error line, exit 1, nothing written.
  foreach(scene bad.json unknown.json missing.json folder)
    same_run(1 build ${scene} --json out.json --svg out.svg)
  endforeach()
  # Outputs that cannot be written: the others are not written either.
  same_run(1 build scene.json --json out.json --svg no-such-folder/out.svg)
  same_run(1 build scene.json --json folder)
  same_run(1 build scene.json --json scene.json)
  same_run(1 build scene.json --json ./scene.json)
  foreach(side IN LISTS SIDES)
    file(WRITE ${SCRATCH}/${side}/out.json "an older file")
  endforeach()
  same_run(1 build scene.json --json out.json --svg ./folder/../out.json)
  foreach(side IN LISTS SIDES)
    file(READ ${SCRATCH}/${side}/out.json kept)
    if(NOT kept STREQUAL "an older file")
      difference("${side} changed out.json in a failed run")
    endif()
  endforeach()
  expect_only(bad.json folder out.json scene.json unknown.json)

else()
  message(FATAL_ERROR "unknown CASE ${CASE}")
endif()
