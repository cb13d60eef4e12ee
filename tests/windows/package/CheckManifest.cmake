# cmake -DPROGRAM=<quorvane.exe> -P CheckManifest.cmake
# The manifest is embedded as plain text: the 64-bit program's asks for the
# themed common controls and for nothing of the 32-bit simulator library.
file(STRINGS ${PROGRAM} identities REGEX "assemblyIdentity|name=")
if(NOT identities MATCHES "Microsoft\\.Windows\\.Common-Controls")
  message(FATAL_ERROR "${PROGRAM} carries no manifest asking for the common controls")
endif()
if(identities MATCHES "SimConnect" OR identities MATCHES "processorArchitecture=\"x86\"")
  message(FATAL_ERROR "${PROGRAM} asks for the 32-bit simulator library: ${identities}")
endif()
