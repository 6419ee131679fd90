# shm_open and friends live in librt on older C libraries; flock, sockets and
# poll need nothing extra.
target_link_libraries(orvane_platform PUBLIC rt)
