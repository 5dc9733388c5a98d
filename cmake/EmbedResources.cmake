# Turns the binary resources (icon, banner) into C++ byte arrays compiled into the program,
# so that it carries its resources as a Windows module does and reads no file at run time.
function(kalvetra_embed_resources target)
    file(GLOB binaries CONFIGURE_DEPENDS
        ${CMAKE_SOURCE_DIR}/resources/*.ico ${CMAKE_SOURCE_DIR}/resources/*.bmp)
    foreach(binary ${binaries})
        get_filename_component(stem ${binary} NAME_WE)
        get_filename_component(extension ${binary} LAST_EXT)
        string(SUBSTRING ${extension} 1 -1 extension)
        set(output ${CMAKE_BINARY_DIR}/embedded/${stem}_${extension}.cpp)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DINPUT=${binary} -DOUTPUT=${output}
                    -DSYMBOL=Embedded_${stem}_${extension}
                    -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            DEPENDS ${binary} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
            COMMENT "Embedding ${stem}.${extension}")
        target_sources(${target} PRIVATE ${output})
    endforeach()
endfunction()
