# Delivery: the platform-free core of sending a report: SMTP dialogue and
# reply reading, the MIME message, DNS MX queries and answers, the HTTP
# multipart upload and its response, mailto links, the ICMP echo packet
# (both builds). The sockets themselves belong to the Win32 side; the native
# tests talk to real servers on the loopback through POSIX sockets.
set(quor_delivery_dir ${CMAKE_CURRENT_LIST_DIR})
set(quor_delivery_tests ${PROJECT_SOURCE_DIR}/tests/report/delivery)

sorvenal_core(quor_delivery SOURCES
  ${quor_delivery_dir}/quorByteStream.cpp
  ${quor_delivery_dir}/quorFieldText.cpp
  ${quor_delivery_dir}/quorEncodedWord.cpp
  ${quor_delivery_dir}/quorMailAddress.cpp
  ${quor_delivery_dir}/quorMailDate.cpp
  ${quor_delivery_dir}/quorMimeText.cpp
  ${quor_delivery_dir}/quorMimeMessage.cpp
  ${quor_delivery_dir}/quorSmtpReply.cpp
  ${quor_delivery_dir}/quorSmtpData.cpp
  ${quor_delivery_dir}/quorEhloName.cpp
  ${quor_delivery_dir}/quorSmtpSession.cpp
  ${quor_delivery_dir}/quorRandom.cpp
  ${quor_delivery_dir}/quorDnsMessage.cpp
  ${quor_delivery_dir}/quorMxLookup.cpp
  ${quor_delivery_dir}/quorMailServerLookup.cpp
  ${quor_delivery_dir}/quorHttpUrl.cpp
  ${quor_delivery_dir}/quorHttpProxy.cpp
  ${quor_delivery_dir}/quorHttpRequest.cpp
  ${quor_delivery_dir}/quorHttpResponse.cpp
  ${quor_delivery_dir}/quorHttpUpload.cpp
  ${quor_delivery_dir}/quorMailtoLink.cpp
  ${quor_delivery_dir}/quorIcmpEcho.cpp
  ${quor_delivery_dir}/quorSendPlan.cpp
  DEPS quor_zip quor_text quor_screenshot_core)

sorvenal_test(quorDelivery_test SOURCES
  ${quor_delivery_tests}/quorMailAddress_test.cpp
  ${quor_delivery_tests}/quorMimeText_test.cpp
  ${quor_delivery_tests}/quorMimeMessage_test.cpp
  ${quor_delivery_tests}/quorSmtpReply_test.cpp
  ${quor_delivery_tests}/quorDnsMessage_test.cpp
  ${quor_delivery_tests}/quorHttp_test.cpp
  ${quor_delivery_tests}/quorMailtoLink_test.cpp
  ${quor_delivery_tests}/quorDeliveryBits_test.cpp
  ${quor_delivery_tests}/quorSendPlan_test.cpp
  DEPS quor_delivery)

if(SORVENAL_NATIVE)
  # Against real servers on the loopback, started by the tests: aiosmtpd,
  # dnsmasq, and Python peers (dnslib, http.server) that misbehave on
  # purpose; Python's email and urllib read back what arrived. Debian's
  # Python, where the packages of tools/bootstrap.sh are installed.
  find_program(QUOR_TEST_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  find_program(QUOR_TEST_DNSMASQ dnsmasq PATHS /usr/sbin /sbin REQUIRED)
  sorvenal_test(quorDeliveryNet_test TIMEOUT 240 SOURCES
    ${quor_delivery_tests}/quorSmtpSession_test.cpp
    ${quor_delivery_tests}/quorMxLookup_test.cpp
    ${quor_delivery_tests}/quorMailServerLookup_test.cpp
    ${quor_delivery_tests}/quorHttpUpload_test.cpp
    ${quor_delivery_tests}/quorMailtoPython_test.cpp
    ${quor_delivery_tests}/PosixByteStream.cpp
    ${quor_delivery_tests}/PosixDatagramPort.cpp
    ${quor_delivery_tests}/PeerProcess.cpp
    ${quor_delivery_tests}/MailPeer.cpp
    DEPS quor_delivery quor_progress_core)
  target_compile_definitions(quorDeliveryNet_test PRIVATE
    QUOR_DELIVERY_PEERS="${quor_delivery_tests}"
    QUOR_TEST_PYTHON="${QUOR_TEST_PYTHON}"
    QUOR_TEST_DNSMASQ="${QUOR_TEST_DNSMASQ}")
endif()

foreach(target smtp_reply_fuzz dns_answer_fuzz http_response_fuzz)
  sorvenal_fuzz(${target} SOURCES ${PROJECT_SOURCE_DIR}/fuzz/${target}.cpp DEPS quor_delivery)
endforeach()

sorvenal_bench(quorMime_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorMime_bench.cpp DEPS quor_delivery)
if(SORVENAL_NATIVE)
  # A whole send to the local aiosmtpd server, and the mail data against the codec.
  sorvenal_bench(quorSmtpSend_bench SOURCES ${PROJECT_SOURCE_DIR}/bench/quorSmtpSend_bench.cpp
    ${quor_delivery_tests}/PosixByteStream.cpp ${quor_delivery_tests}/PeerProcess.cpp
    ${quor_delivery_tests}/MailPeer.cpp DEPS quor_delivery quor_screenshot_fixture)
  target_compile_definitions(quorSmtpSend_bench PRIVATE
    QUOR_DELIVERY_PEERS="${quor_delivery_tests}" QUOR_TEST_PYTHON="${QUOR_TEST_PYTHON}")
endif()

if(SORVENAL_WIN)
  # The Winsock side (streams, datagram ports, the system's DNS servers) and
  # the user's mail program (Simple MAPI, mailto).
  add_library(quor_delivery_win STATIC ${quor_delivery_dir}/quorWinsock.cpp ${quor_delivery_dir}/quorMailClient.cpp
    ${quor_delivery_dir}/quorFileSource.cpp ${quor_delivery_dir}/quorOnlineTest.cpp
    ${quor_delivery_dir}/quorSendAttachments.cpp ${quor_delivery_dir}/quorSendBugReport.cpp)
  target_include_directories(quor_delivery_win PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(quor_delivery_win PUBLIC quor_delivery quor_progress quor_settings quor_zipfiles base ws2_32
                        iphlpapi advapi32 shell32)
  sorvenal_test(quorWinsock_test SOURCES ${quor_delivery_tests}/quorWinsock_test.cpp DEPS quor_delivery_win)
  sorvenal_test(quorMailClient_test SOURCES ${quor_delivery_tests}/quorMailClient_test.cpp DEPS quor_delivery_win)
  # The stand-in Simple MAPI mail program the test registers (exported
  # undecorated, as mapi32 looks it up, in the 32-bit build too).
  add_library(quor_mapi_recorder SHARED ${quor_delivery_tests}/mapi_recorder.cpp)
  target_link_options(quor_mapi_recorder PRIVATE -Wl,--kill-at -static)
  set_target_properties(quor_mapi_recorder PROPERTIES PREFIX "")
  add_dependencies(quorMailClient_test quor_mapi_recorder)
  target_compile_definitions(quorMailClient_test PRIVATE QUOR_DELIVERY_PEERS="${quor_delivery_tests}"
    QUOR_MAPI_RECORDER="$<TARGET_FILE:quor_mapi_recorder>")
  # Test programs that run inside with_peers.py, which starts the SMTP, HTTP
  # and DNS servers first (alone they skip).
  find_program(QUOR_TEST_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
  find_program(QUOR_TEST_DNSMASQ dnsmasq PATHS /usr/sbin /sbin REQUIRED)
  function(quor_test_with_peers target)
    set_property(TEST ${target} PROPERTY TIMEOUT 120)
    get_test_property(${target} ENVIRONMENT env)
    string(REPLACE "_test" "Peers_test" name ${target})
    add_test(NAME ${name} COMMAND ${QUOR_TEST_PYTHON} ${quor_delivery_tests}/with_peers.py
             ${QUOR_TEST_DNSMASQ} ${PROJECT_SOURCE_DIR}/tools/wine-run.sh $<TARGET_FILE:${target}>)
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180 ENVIRONMENT "${env}")
  endfunction()
  quor_test_with_peers(quorWinsock_test)

  # A whole send with the program's own settings.
  sorvenal_test(quorSendBugReport_test SOURCES ${quor_delivery_tests}/quorSendBugReport_test.cpp
                ${PROJECT_SOURCE_DIR}/resources/QuorExcept.rc DEPS quor_delivery_win)
  target_include_directories(quorSendBugReport_test PRIVATE ${PROJECT_BINARY_DIR}/report)
  add_dependencies(quorSendBugReport_test quor_settings_resources)
  quor_test_with_peers(quorSendBugReport_test)
endif()
