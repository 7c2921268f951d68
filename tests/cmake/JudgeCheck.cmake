# What the tests of the project's checks share: the judgement of one run of a check. `expect` is
# PASS or the text the check's failure must name; `verdict` is set to what went wrong, and is
# empty when the run was as expected.
function(judge_check verdict case expect rc err)
  set(wrong "")
  if(expect STREQUAL "PASS")
    if(NOT rc EQUAL 0)
      set(wrong "${case}: the check failed a sound tree:\n${err}")
    endif()
  elseif(rc EQUAL 0)
    set(wrong "${case}: the check passed a planted fault")
  else()
    string(FIND "${err}" "${expect}" at)
    if(at EQUAL -1)
      set(wrong "${case}: the failure does not name \"${expect}\":\n${err}")
    endif()
  endif()
  set(${verdict} "${wrong}" PARENT_SCOPE)
endfunction()
