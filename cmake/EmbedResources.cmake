# Turns the binary resources (icon, banner, the window's icons of every size) into C++ byte
# arrays compiled into the program, so that it carries its resources as a Windows module does
# and reads no file at run time. resources/icons/kalvetra-16.bmp becomes
# Embedded_kalvetra_16_bmp.
function(kalvetra_embed_resources target)
    file(GLOB binaries CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.bmp
        ${CMAKE_SOURCE_DIR}/resources/icons/*.bmp)
    foreach(binary ${binaries})
        get_filename_component(stem ${binary} NAME_WE)
        get_filename_component(extension ${binary} LAST_EXT)
        string(SUBSTRING ${extension} 1 -1 extension)
        string(MAKE_C_IDENTIFIER ${stem}_${extension} symbol)
        set(output ${CMAKE_BINARY_DIR}/embedded/${symbol}.cpp)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DINPUT=${binary} -DOUTPUT=${output}
                    -DSYMBOL=Embedded_${symbol}
                    -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            DEPENDS ${binary} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            COMMENT "Embedding ${stem}.${extension}")
        target_sources(${target} PRIVATE ${output})
    endforeach()
endfunction()
