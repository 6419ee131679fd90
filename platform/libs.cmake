# shm_open and friends live in librt on older C libraries; flock, sockets and
# poll need nothing extra. GUIDs come from libuuid (uuid-dev).
find_path(ORVANE_UUID_INCLUDE_DIR uuid/uuid.h REQUIRED)
find_library(ORVANE_UUID_LIBRARY uuid REQUIRED)
target_include_directories(orvane_platform PRIVATE ${ORVANE_UUID_INCLUDE_DIR})
target_link_libraries(orvane_platform PUBLIC rt ${ORVANE_UUID_LIBRARY})
