// The GUI suites, run one after the other in one application.
#pragma once

namespace vorlin {

int RunMainWindowTests(int argc, char* argv[]);
int RunToolsInViewTests(int argc, char* argv[]);
int RunFileCommandsGuiTests(int argc, char* argv[]);
int RunStartupTests(int argc, char* argv[]);
int RunGbaExportGuiTests(int argc, char* argv[]);
int RunToolsBarTests(int argc, char* argv[]);
int RunBankDialogGuiTests(int argc, char* argv[]);
int RunPaletteBarGuiTests(int argc, char* argv[]);
int RunPaletteDialogsGuiTests(int argc, char* argv[]);
int RunConsoleCheckGuiTests(int argc, char* argv[]);
int RunViewNavigationTests(int argc, char* argv[]);
int RunSavedStateGuiTests(int argc, char* argv[]);
int RunGbaImportGuiTests(int argc, char* argv[]);

inline int RunGuiSuites(int argc, char* argv[]) {
    int failures = RunMainWindowTests(argc, argv);
    failures += RunToolsInViewTests(argc, argv);
    failures += RunFileCommandsGuiTests(argc, argv);
    failures += RunStartupTests(argc, argv);
    failures += RunGbaExportGuiTests(argc, argv);
    failures += RunToolsBarTests(argc, argv);
    failures += RunBankDialogGuiTests(argc, argv);
    failures += RunPaletteBarGuiTests(argc, argv);
    failures += RunPaletteDialogsGuiTests(argc, argv);
    failures += RunConsoleCheckGuiTests(argc, argv);
    failures += RunViewNavigationTests(argc, argv);
    failures += RunSavedStateGuiTests(argc, argv);
    failures += RunGbaImportGuiTests(argc, argv);
    return failures;
}

}  // namespace vorlin
