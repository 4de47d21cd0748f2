# The ending both source checks share: fail with one offender a line, or say
# what holds.
#   report_offenders("<offenders list>" "HEADING" "WHAT HOLDS")
function(report_offenders offenders heading holds)
  if(offenders)
    string(REPLACE ";" "\n  " text "${offenders}")
    message(FATAL_ERROR "${heading}:\n  ${text}")
  endif()
  message(STATUS "${holds}")
endfunction()
