# kav_delay_load(target dll def): `target` loads `dll` at the first call into it instead of at
# start-up. The .def file lists the functions the program calls; a function not listed there
# still links, through the ordinary import library, and then the library loads at start again
# (scripts/bench-startup shows it).
function(kav_delay_load target dll def)
  if(MSVC)
    target_link_options(${target} PRIVATE /DELAYLOAD:${dll})
    target_link_libraries(${target} PRIVATE delayimp)
  elseif(MINGW)
    get_filename_component(name ${def} NAME_WE)
    set(lib ${CMAKE_CURRENT_BINARY_DIR}/lib${name}_delay.a)
    find_program(KAV_DLLTOOL NAMES ${CMAKE_CXX_COMPILER_TARGET}-dlltool x86_64-w64-mingw32-dlltool dlltool REQUIRED)
    add_custom_command(OUTPUT ${lib} COMMAND ${KAV_DLLTOOL} -d ${def} -y ${lib} -D ${dll} DEPENDS ${def}
                       COMMENT "Delay-load library for ${dll}")
    add_custom_target(${target}_${name}_delay DEPENDS ${lib})
    add_dependencies(${target} ${target}_${name}_delay)
    # Before the ordinary import libraries on the link line, so that its entries are the ones taken.
    target_link_libraries(${target} PRIVATE ${lib})
  endif()
endfunction()
