# Source lists. Portable files never include <windows.h>: they build natively too.

set(VOR_PORTABLE_SOURCES
  config/DriveRoot.cpp
  config/ProfileFile.cpp
  config/ProfileInspect.cpp
  config/InstallSettings.cpp
  framework/CodePage.cpp
  framework/FileErrors.cpp
  framework/Memory.cpp
  framework/NumberScan.cpp
  framework/ScrollModel.cpp
  framework/String.cpp
  install/ExitCodeMessages.cpp
  install/FreeSpace.cpp
  install/InstallTexts.cpp
  install/LogLineRules.cpp
  install/RemovalTarget.cpp
  viewer/TextLayout.cpp
  viewer/ViewerKeys.cpp
)

# The package checker, vorcheck: portable apart from its folder listing and the code pages.
set(VOR_CHECK_SOURCES
  check/ArjHeaders.cpp
  check/InstallerFace.cpp
  check/PackageCheck.cpp
  check/PackagerPitfalls.cpp
  check/Utf8.cpp
)
set(VOR_CHECK_POSIX_SOURCES check/FolderPosix.cpp check/TextConversionPosix.cpp)
set(VOR_CHECK_WIN32_SOURCES
  check/FolderWin32.cpp check/TextConversionWin32.cpp framework/SystemCodePages.cpp)
set(VOR_CHECK_MAIN check/vorcheck_main.cpp)

# The package builder, vorpack: the checker's code and its own, portable apart from
# running the archiver and making and removing files.
set(VOR_PACK_SOURCES
  check/PackOptions.cpp
  check/PackageBuilder.cpp
  check/PackageContents.cpp
)
set(VOR_PACK_POSIX_SOURCES check/ChildProcessPosix.cpp check/FileOperationsPosix.cpp)
set(VOR_PACK_WIN32_SOURCES check/ChildProcessWin32.cpp check/FileOperationsWin32.cpp)
set(VOR_PACK_MAIN check/vorpack_main.cpp)

# Win32 code of the installer, apart from the application object.
set(VOR_WIN32_SOURCES
  framework/CmdTarget.cpp
  framework/Wnd.cpp
  framework/Dialog.cpp
  framework/DataExchange.cpp
  framework/MessageBox.cpp
  framework/WinApp.cpp
  framework/File.cpp
  framework/FrameWnd.cpp
  framework/View.cpp
  framework/ScrollView.cpp
  framework/StdioFile.cpp
  framework/ProgressCtrl.cpp
  framework/AnimateCtrl.cpp
  framework/SystemCodePages.cpp
  ui/AboutDlg.cpp
  ui/LoadInstallSettings.cpp
  ui/SetupDlg.cpp
  install/FolderDlg.cpp
  install/InstallCommand.cpp
  install/RemoveInstallDir.cpp
  install/DecompressDlg.cpp
  viewer/OpenViewer.cpp
  viewer/TextWin.cpp
  viewer/TextView.cpp
)

set(VOR_APP_SOURCES
  app/SetupApp.cpp
  framework/WinMain.cpp
)

# The installer's own C runtime (the product build only).
set(VOR_CRT_SOURCES
  crt/Startup.cpp crt/DllSearch.cpp crt/Memory.cpp crt/OperatorNew.cpp crt/Division.cpp)

set(VOR_RESOURCE_FILES
  ${CMAKE_SOURCE_DIR}/res/resource.h
  ${CMAKE_SOURCE_DIR}/res/ZEZADERI.ico
  ${CMAKE_SOURCE_DIR}/res/logo.bmp
  ${CMAKE_SOURCE_DIR}/res/Framework.rc
  ${CMAKE_SOURCE_DIR}/res/FolderDlg.rc
  ${CMAKE_SOURCE_DIR}/res/DecompressDlg.rc
  ${CMAKE_SOURCE_DIR}/res/working.avi
  ${CMAKE_SOURCE_DIR}/res/ZEZADERI.manifest
)

set(VOR_STANDIN_SOURCES tools/standin/standin.cpp)
set(VOR_STANDIN_TARGETS standin)

# The installation driver: drives the real installer from outside, as a user would. The
# end-to-end tests and vordrive (make demo, make try) share it. It reads the
# installation log by the progress dialog's own rules.
set(VOR_DRIVER_SOURCES
  tools/driver/Driver.cpp
  tools/driver/InstallFlow.cpp
  tools/driver/Screenshot.cpp
  tools/driver/PictureCheck.cpp
  tools/driver/ChildThreads.cpp
  tools/driver/LogFollower.cpp
  tools/driver/SecondVolumeHold.cpp
  install/LogLineRules.cpp
  framework/String.cpp
  framework/Memory.cpp
)
set(VOR_DRIVER_MAIN tools/driver/vordrive.cpp)

set(VOR_UNIT_TESTS
  tests/unit/ProfileFileTest.cpp
  tests/unit/InstallSettingsTest.cpp
  tests/unit/ExitCodeMessagesTest.cpp
  tests/unit/FileErrorsTest.cpp
  tests/unit/FreeSpaceTest.cpp
  tests/unit/InstallTextsTest.cpp
  tests/unit/LogLineRulesTest.cpp
  tests/unit/NumberScanTest.cpp
  tests/unit/StringTest.cpp
  tests/unit/RemovalTargetTest.cpp
  tests/unit/ScrollModelTest.cpp
  tests/unit/TextLayoutTest.cpp
  tests/unit/ArjHeadersTest.cpp
  tests/unit/PackageCheckTest.cpp
  tests/unit/PackageBuilderTest.cpp
  tests/unit/LargeVolumeTest.cpp
  tests/unit/ArjTestFiles.cpp
  tests/unit/InstallerFaceTest.cpp
  tests/common/TestInstaller.cpp
  tests/unit/PictureCheckTest.cpp
  tools/driver/PictureCheck.cpp
)

set(VOR_FUZZ_TARGETS
  tests/fuzz/profile_fuzz.cpp
  tests/fuzz/log_line_fuzz.cpp
  tests/fuzz/text_layout_fuzz.cpp
  tests/fuzz/arj_headers_fuzz.cpp
  tests/fuzz/installer_face_fuzz.cpp
)

set(VOR_NATIVE_BENCHMARKS tests/bench/text_layout_bench.cpp tests/bench/vorcheck_bench.cpp)
# Windows benchmarks (vor_<name>.exe in the build folder; not run by ctest).
set(VOR_WIN_BENCHMARKS tests/bench/viewer_bench.cpp tests/bench/decompress_bench.cpp)

set(VOR_WIN_TESTS
  tests/common/TestFiles.cpp
  tests/win32/TestMain.cpp
  tests/win32/TestSupport.cpp
  tests/win32/FrameworkTest.cpp
  tests/win32/ProfileCompareTest.cpp
  tests/win32/SetupDlgTest.cpp
  tests/win32/FolderDlgTest.cpp
  tests/win32/StdioFileTest.cpp
  tests/win32/DecompressDlgTest.cpp
  tests/win32/TestDialogs.rc
  tests/win32/AllocationCount.cpp
  tests/win32/ViewerTest.cpp
  tests/win32/ImportHook.cpp
  # The checker's file access where a long has 32 bits.
  tests/unit/LargeVolumeTest.cpp
  check/ArjHeaders.cpp
  check/FolderWin32.cpp
)
set(VOR_WIN_TEST_SUITES Framework ProfileCompare SetupDlg FolderDlg FolderDlgBrowse FolderFreeSpace
    Viewer StdioFile DecompressResources DecompressDlg DecompressTranscript LargeVolume)

set(VOR_E2E_TESTS
  tests/common/TestFiles.cpp
  tests/common/TestInstaller.cpp
  tests/e2e/E2eMain.cpp
  tests/e2e/Driver.cpp
  tests/e2e/StartupTest.cpp
  tests/e2e/InstallFlow.cpp
  tests/e2e/InstallTest.cpp
  tests/e2e/RemoveTest.cpp
  tests/e2e/ViewerE2eTest.cpp
  tests/e2e/DemoTest.cpp
  tests/e2e/FamilyTest.cpp
  tests/e2e/RealFoldersTest.cpp
  tests/e2e/RealArjTest.cpp
  tests/e2e/DoubleByteTest.cpp
  tests/e2e/PlantedDllTest.cpp
)
set(VOR_E2E_TEST_SUITES Startup Install Remove ViewerE2e Demo RealFolders RealArj PlantedDll)
# Run again where Wine answers as Windows 98: the installations whose watching of the
# decompressor differs between the two families.
set(VOR_E2E_FAMILY98_TESTS Family98.* Install.WholeInstallationWithTheStandIn
    Install.FailedDecompressionStillEnablesTheButtons Install.DriveRootIsHandedOnInItsShortForm)
