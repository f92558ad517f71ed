# Fails when po/zarn.pot is not what the sources hold now: a text added or changed without the template
# being extracted anew would never reach a translator. Run with -DSOURCE_DIR= -DPOT= -DWORK= -DVERSION=.
execute_process(
    COMMAND bash ${SOURCE_DIR}/po/extract_template.sh ${WORK}/extracted.pot ${VERSION}
    WORKING_DIRECTORY ${SOURCE_DIR}
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "the template could not be extracted")
endif()
foreach(which extracted committed)
    if(which STREQUAL extracted)
        file(READ ${WORK}/extracted.pot text)
    else()
        file(READ ${POT} text)
    endif()
    # The date of the extraction is the only line that differs from one run to the next.
    string(REGEX REPLACE "\"POT-Creation-Date: [^\n]*\n" "" text "${text}")
    set(${which} "${text}")
endforeach()
if(NOT extracted STREQUAL committed)
    execute_process(COMMAND diff -u ${POT} ${WORK}/extracted.pot)
    message(FATAL_ERROR "po/zarn.pot is not up to date with the sources: run "
                        "`cmake --build build --target zarn_po_update` and translate what is new")
endif()
