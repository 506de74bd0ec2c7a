# Copies the generated assets into the program folder, leaving out the
# resources that are compiled into the exe.
file(GLOB entries RELATIVE ${ASSETS} ${ASSETS}/*)
foreach(entry ${entries})
    if(NOT entry STREQUAL "resources")
        file(COPY ${ASSETS}/${entry} DESTINATION ${DEST})
    endif()
endforeach()
