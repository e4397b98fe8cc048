# The two sounds of the practice lines ship beside the program: copied into
# the stage folder of the build and installed with the shared data.
set(TESMARA_SOUND_FILES
    ${CMAKE_CURRENT_LIST_DIR}/sounds/key.wav
    ${CMAKE_CURRENT_LIST_DIR}/sounds/wrong.wav)
file(MAKE_DIRECTORY ${TESMARA_STAGE_DIR})
foreach(sound IN LISTS TESMARA_SOUND_FILES)
    configure_file(${sound} ${TESMARA_STAGE_DIR} COPYONLY)
endforeach()
install(FILES ${TESMARA_SOUND_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tesmara)
