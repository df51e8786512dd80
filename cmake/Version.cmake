# Writes the project's version into the files that carry it: a header for the
# resource scripts (version record, About box, manifests' paths), the manifests
# themselves, LEIA-ME.txt and the manual page. All land in build/<preset>/generated.
set(RAVELO_GENERATED ${PROJECT_BINARY_DIR}/generated)
set(RAVELO_MANIFEST ${RAVELO_GENERATED}/Ravelo.exe.manifest)
configure_file(${PROJECT_SOURCE_DIR}/res/Ravelo.manifest ${RAVELO_MANIFEST} @ONLY)
set(RAVELO_CONVERT_MANIFEST ${RAVELO_GENERATED}/ravelo-convert.exe.manifest)
configure_file(${PROJECT_SOURCE_DIR}/res/ravelo-convert.manifest ${RAVELO_CONVERT_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/RaveloVersion.h.in ${RAVELO_GENERATED}/RaveloVersion.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/LEIA-ME.txt ${RAVELO_GENERATED}/LEIA-ME.txt @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/ravelo-convert.1.in ${RAVELO_GENERATED}/ravelo-convert.1 @ONLY)
# Ravelo.rc includes RaveloVersion.h.
include_directories(${RAVELO_GENERATED})
