# MD5 comes from OpenSSL's libcrypto.
find_package(OpenSSL REQUIRED)
target_link_libraries(orvane_tools PUBLIC OpenSSL::Crypto)
