# The end-to-end scenarios of the demo program (tests/app/minivuna_input_e2e.sh), each as
# "scenario:TestName": the GLUT demo runs them, and so does the demo under every other host,
# unchanged. Included by tests/CMakeLists.txt, so that every suite below it sees one list.
set(VUNA_DEMO_E2E_SCENARIOS
  "buttons:ButtonsPrintTheirLinesAndItem2GetsSelected"
  "typing:TypedTextAppearsAndFensterOpensAWindowTitledWithIt"
  "windows:OnlyTheToolbarsUncoveredEndOpensSubWindowsAndCloseRemovesThem"
  "shutdown:ShutDownEndsTheProgramAtOnceWithStatus0")
