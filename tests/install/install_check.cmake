# Installs the build into a fresh prefix and runs the installed quirlwerk-cli from there.
# cmake -DBUILD_DIR=... -DPREFIX=... -DVERSION=... -DINSTALLED=<files> -DCLI=<path in prefix> -P install_check.cmake

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}): ${errors}")
endif()

foreach(file IN LISTS INSTALLED)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# A file manager offers the program for the pictures it reads and hands it the file.
foreach(file IN LISTS INSTALLED)
    if(file MATCHES "\\.desktop$")
        file(READ ${PREFIX}/${file} entry)
        if(NOT entry MATCHES "\nExec=quirlwerk %f\n" OR NOT entry MATCHES "\nMimeType=image/bmp;image/gif;image/png;\n")
            message(FATAL_ERROR "${file}: no Exec with %f or no MimeType for BMP, GIF and PNG")
        endif()
    endif()
endforeach()

function(run_cli expected)
    execute_process(COMMAND ${PREFIX}/${CLI} ${ARGN} INPUT_FILE ${input}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
        message(FATAL_ERROR "quirlwerk-cli ${ARGN}: status ${result}, output '${output}', expected '${expected}'\n${errors}")
    endif()
endfunction()

set(input ${PREFIX}/sos.txt)
file(WRITE ${input} "SOS")
run_cli("... --- ... " convert morse crypt)
run_cli("quirlwerk-cli ${VERSION}\n" --version)
