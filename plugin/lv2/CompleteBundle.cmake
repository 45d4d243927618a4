# Runs after the framework has written the LV2 bundle's Turtle files and corrects what the
# LV2 standard rejects in them (lv2_validate):
# - the plug-in carries doap:maintainer and doap:release, which apply to a doap:Project;
# - the presets store the program number under a property nobody declares;
# - the UI lists a feature as extension data and extension data as a feature;
# - the maker's e-mail address is written as a relative IRI, not as a mailto: one.
# Usage: cmake -DBUNDLE=<bundle folder> -DURI=<plug-in URI> -DEMAIL=<address> -P CompleteBundle.cmake
if(NOT BUNDLE OR NOT URI OR NOT EMAIL)
  message(FATAL_ERROR "CompleteBundle.cmake needs BUNDLE, URI and EMAIL")
endif()

file(APPEND "${BUNDLE}/manifest.ttl" "
<${URI}>
\ta <http://usefulinc.com/ns/doap#Project> .

<${URI}:Program>
\ta <http://www.w3.org/1999/02/22-rdf-syntax-ns#Property> ;
\trdfs:label \"factory program\" ;
\trdfs:comment \"Index of the factory program that a preset selects.\" ;
\trdfs:range xsd:int .
")

file(READ "${BUNDLE}/ui.ttl" ui)
set(fixed "${ui}")
string(REPLACE "\t\topts:interface ,\n\t\tui:noUserResize ,\n\t\tui:resize ;"
               "\t\topts:interface ,\n\t\tui:resize ;" fixed "${fixed}")
string(REPLACE "\t\tui:noUserResize ,\n\t\topts:interface ,\n\t\topts:options ;"
               "\t\tui:noUserResize ,\n\t\topts:options ;" fixed "${fixed}")
if(NOT fixed STREQUAL ui)
  file(WRITE "${BUNDLE}/ui.ttl" "${fixed}")
endif()

file(READ "${BUNDLE}/dsp.ttl" dsp)
string(REPLACE "foaf:mbox <${EMAIL}>" "foaf:mbox <mailto:${EMAIL}>" fixed "${dsp}")
if(NOT fixed STREQUAL dsp)
  file(WRITE "${BUNDLE}/dsp.ttl" "${fixed}")
endif()
