// The run configuration: start-up state, checking state, the parsing rules
// and the completion step, observed in-process (the ends of the process caught as Process_end).
#include "config/command_line.hpp"
#include "config/quavor_configuration.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "config/path.hpp"
#include "test_support.hpp"
#include "text/exceptions.hpp"
#include "text/format.hpp"

namespace {

class Configuration : public ::testing::Test {
 protected:
  void SetUp() override {
    Quavor_configuration::reset_for_tests();
    ::setenv("HOME", "/home/ana", 1);
    Path::reinitialise();
  }
  void TearDown() override {
    Quavor_configuration::reset_for_tests();
  }

  // Parses "quavor <arguments>" and completes the configuration.
  static void parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "quavor");
    Command_line::parse_arguments(arguments);
    Command_line::assign_configuration_fields();
  }

  // The exit status of a parse that must end the process.
  static int exit_status_of(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "quavor");
    try {
      ::testing::internal::CaptureStderr();
      ::testing::internal::CaptureStdout();
      Command_line::parse_arguments(arguments);
    } catch (const Quavor_configuration::Process_end& e) {
      ::testing::internal::GetCapturedStderr();
      ::testing::internal::GetCapturedStdout();
      return e.status;
    }
    ::testing::internal::GetCapturedStderr();
    ::testing::internal::GetCapturedStdout();
    return -1;
  }
};

std::string fatal_text(const std::string& message) {
  return "Fatal error in QuavorTQMV-3.1.0, please report to Vantrel: " + message;
}

template <class F>
std::string fatal_message_of(F f) {
  try {
    f();
  } catch (const Fatal_error& e) {
    return e.what();
  }
  return "(no failure)";
}

// ---------------------------------------------------------------------------
// Start-up state and errors.

TEST_F(Configuration, StartUpValues) {
  EXPECT_EQ(Quavor_configuration::get_version(), "3.1.0");
  EXPECT_EQ(Quavor_configuration::full_version(), "QuavorTQMV-3.1.0");
  EXPECT_EQ(Quavor_configuration::input_process_source_file_extension(), ".qvc");
  EXPECT_EQ(Quavor_configuration::report_source_file_extension(), ".qvb");
  EXPECT_EQ(Quavor_configuration::report_target_file_extension(), ".qvr");
  EXPECT_EQ(Quavor_configuration::script_directory(), "src/input_gui");
  EXPECT_FALSE(Quavor_configuration::get_input_process_needed_opt());
  EXPECT_FALSE(Quavor_configuration::get_input_process_needed());
  EXPECT_FALSE(Quavor_configuration::get_input_process_arguments_opt());
  EXPECT_FALSE(Quavor_configuration::get_debug());
  EXPECT_EQ(Quavor_configuration::get_input_process_in_channel(), stdin);
  EXPECT_EQ(Quavor_configuration::get_input_process_out_channel(), stdout);
  ASSERT_TRUE(Quavor_configuration::get_input_process_scanning_buffer());
  EXPECT_EQ(Quavor_configuration::get_input_process_scanning_buffer()->name_of_input(), "-");
  EXPECT_EQ(&Quavor_configuration::get_input_process_formatter(), &Format::err_formatter());
  EXPECT_EQ(&Quavor_configuration::get_compute_input_debugging_formatter(), &Format::err_formatter());
  EXPECT_EQ(&Quavor_configuration::get_compute_error_debugging_formatter(), &Format::err_formatter());
}

TEST_F(Configuration, TheProgramLocationComesFromTheInvocationName) {
  Quavor_configuration::set_invocation_name("/opt/tqmv/bin/quavor");
  EXPECT_EQ(Quavor_configuration::program_path(), "/opt/tqmv/bin/quavor");
  EXPECT_EQ(Quavor_configuration::software_directory(), "/opt/tqmv/bin");
  EXPECT_EQ(Quavor_configuration::program_name(), "quavor");
  EXPECT_EQ(Quavor_configuration::default_input_process_executable(),
            "/opt/tqmv/bin/quavor_input_gui/quavor_input_gui.exe");
  EXPECT_EQ(Quavor_configuration::script_path(), "/opt/tqmv/../src/input_gui/quavor_input_gui.py");
  EXPECT_EQ(Quavor_configuration::script_command(),
            "cd src/input_gui && python /opt/tqmv/../src/input_gui/quavor_input_gui.py");
}

TEST_F(Configuration, FatalErrorsNameTheFullVersion) {
  EXPECT_EQ(fatal_message_of([] { Quavor_configuration::fatal_error("retrait_categorie"); }),
            fatal_text("retrait_categorie"));
  EXPECT_EQ(fatal_message_of([] { Quavor_configuration::get_compute_run_mode(); }),
            fatal_text("Attempt to get the quavor run mode when none has been set"));
}

TEST_F(Configuration, RunModeFirstSettingWins) {
  Quavor_configuration::set_compute_run_mode(Quavor_configuration::run_mode::Compute_qvr_from_qvb);
  Quavor_configuration::set_compute_run_mode(Quavor_configuration::run_mode::Compute_qvc_from_gui);
  EXPECT_EQ(Quavor_configuration::get_compute_run_mode(), Quavor_configuration::run_mode::Compute_qvr_from_qvb);
}

TEST_F(Configuration, RunModeSetByTheOptions) {
  struct Case {
    std::vector<std::string> arguments;
    std::optional<Quavor_configuration::run_mode> mode;
  };
  const std::vector<Case> cases = {
      {{"-c", "a.qvc"}, Quavor_configuration::run_mode::Compute_qvc_from_gui},
      {{"-check-and-report", "a.qvc"}, Quavor_configuration::run_mode::Compute_qvc_from_gui},
      {{"-b", "a.qvc"}, Quavor_configuration::run_mode::Compute_qvc_from_gui},
      {{"-generate-report-source-file", "a.qvc"}, Quavor_configuration::run_mode::Compute_qvc_from_gui},
      {{"-r", "h.qvb"}, Quavor_configuration::run_mode::Compute_qvr_from_qvb},
      {{"-report", "h.qvb"}, Quavor_configuration::run_mode::Compute_qvr_from_qvb},
      {{"-i", "h.qvb"}, std::nullopt},
      {{"-f", "a.qvc"}, std::nullopt},
      {{"-nip"}, std::nullopt},
      {{"-i", "h.qvb", "-r", "h.qvb"}, Quavor_configuration::run_mode::Compute_qvr_from_qvb},
  };
  for (const auto& c : cases) {
    Quavor_configuration::reset_for_tests();
    parse(c.arguments);
    EXPECT_EQ(Quavor_configuration::get_compute_run_mode_opt(), c.mode) << c.arguments[0];
  }
}

// ---------------------------------------------------------------------------
// File kinds and derived names.

TEST_F(Configuration, FileKinds) {
  EXPECT_TRUE(Quavor_configuration::is_input_process_source_file_name("-"));
  EXPECT_TRUE(Quavor_configuration::is_input_process_source_file_name("d/a.qvc"));
  EXPECT_FALSE(Quavor_configuration::is_input_process_source_file_name("a.qvc/x"));
  EXPECT_FALSE(Quavor_configuration::is_input_process_source_file_name("a.qvb"));
  EXPECT_TRUE(Quavor_configuration::is_report_source_file_name(".qvb"));
  EXPECT_TRUE(Quavor_configuration::is_report_source_file_name("-"));
  EXPECT_FALSE(Quavor_configuration::is_report_source_file_name("house.QVB"));
  EXPECT_TRUE(Quavor_configuration::is_report_target_file_name("r.qvr"));
  EXPECT_FALSE(Quavor_configuration::is_report_target_file_name("r.qvr.bak"));
}

TEST_F(Configuration, ExtensionRemoval) {
  struct Case {
    std::string name, expected;
  };
  const std::vector<Case> cases = {
      {"house.qvb", "house"}, {"d/a.qvc", "d/a"},     {"x.tar.gz", "x.tar"}, {"a.b/c", "a.b/c"},
      {"noext", "noext"},     {".qvb", ""},           {"a/b.", "a/b"},       {"-", "-"},
      {"dir.d/", "dir.d/"},
  };
  for (const auto& c : cases) EXPECT_EQ(Quavor_configuration::remove_extension(c.name), c.expected) << c.name;
}

TEST_F(Configuration, ReportFileNames) {
  struct Case {
    std::vector<std::string> arguments;
    std::string source, target;
  };
  const std::vector<Case> cases = {
      {{}, "quavor_log.qvb", "quavor_log.qvr"},
      {{"-nip"}, "quavor_log.qvb", "quavor_log.qvr"},
      {{"-f", "d/a.qvc"}, "d/a.qvb", "d/a.qvr"},
      {{"-f", "x.tar.qvc"}, "x.tar.qvb", "x.tar.qvr"},
      {{"-f", "-"}, "-", "-"},
      {{"-r", "house.qvb"}, "house.qvb", "house.qvr"},
      {{"-r", "-"}, "-", "-"},
      {{"-i", "-"}, "-", "-"},
      {{"-i", "h.qvb", "-o", "t.qvr"}, "h.qvb", "t.qvr"},
      {{"-f", "a.qvc", "-o", "t.qvr"}, "a.qvb", "t.qvr"},
      {{"-f", "a.qvc", "-i", "b.qvb"}, "b.qvb", "b.qvr"},
      {{"-o", "-"}, "quavor_log.qvb", "-"},
  };
  for (const auto& c : cases) {
    Quavor_configuration::reset_for_tests();
    parse(c.arguments);
    EXPECT_EQ(Quavor_configuration::get_report_source_file_name(), c.source);
    EXPECT_EQ(Quavor_configuration::get_report_target_file_name(), c.target);
  }
}

TEST_F(Configuration, ReportSourceRulesOutTheInputProgram) {
  parse({"-r", "house.qvb"});
  EXPECT_EQ(Quavor_configuration::get_report_source_file_name_opt(), "house.qvb");
  EXPECT_EQ(Quavor_configuration::get_report_target_file_name_opt(), "house.qvr");
  EXPECT_EQ(Quavor_configuration::get_input_process_needed_opt(), false);
}

TEST_F(Configuration, TheServingFlowReplacesTheReportNames) {
  parse({"-r", "house.qvb"});
  Quavor_configuration::set_report_source_file_name("other.qvb");
  Quavor_configuration::set_report_target_file_name("other.qvr");
  EXPECT_EQ(Quavor_configuration::get_report_source_file_name(), "other.qvb");
  EXPECT_EQ(Quavor_configuration::get_report_target_file_name(), "other.qvr");
}

// ---------------------------------------------------------------------------
// Completion and the input program's invocation.

TEST_F(Configuration, ArgumentOrder) {
  struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {{}, {"-I \"/home/ana\""}},
      {{"-ipa", "x", "-ipa", "y", "-d"}, {"-I \"/home/ana\"", "-d True", "y", "x"}},
      {{"-f", "a.qvc", "-ipbm", "verify-qvb", "-d", "-input-process-argument", "x"},
       {"-f \"a.qvc\"", "-I \".\"", "-batch \"verify-qvb\"", "-d True", "x"}},
      {{"-b", "plans/plan.qvc"}, {"-f \"plans/plan.qvc\"", "-I \"plans\"", "-batch \"write-qvb\""}},
      {{"-input-process-command-directory", "w", "-f", "d/a.qvc"}, {"-f \"d/a.qvc\"", "-I \"w\""}},
      {{"-input-process-command-directory", "w", "-input-process-command-directory", "v"}, {"-I \"v\""}},
      {{"-ipbm", "write-qvc", "-nip"}, {"-I \"/home/ana\"", "-batch \"write-qvc\""}},
  };
  for (const auto& c : cases) {
    Quavor_configuration::reset_for_tests();
    parse(c.arguments);
    EXPECT_EQ(Quavor_configuration::get_input_process_arguments(), c.expected);
  }
}

TEST_F(Configuration, WithoutHomeTheDirectoryIsTheTilde) {
  ::unsetenv("HOME");
  Path::reinitialise();
  parse({});
  EXPECT_EQ(Quavor_configuration::get_input_process_arguments(), std::vector<std::string>{"-I \"~\""});
}

TEST_F(Configuration, CompletionMakesTheInputProgramNeeded) {
  parse({});
  EXPECT_EQ(Quavor_configuration::get_input_process_needed_opt(), true);
  Quavor_configuration::reset_for_tests();
  parse({"-nip"});
  EXPECT_EQ(Quavor_configuration::get_input_process_needed_opt(), false);
  Quavor_configuration::reset_for_tests();
  parse({"-i", "h.qvb"});
  EXPECT_EQ(Quavor_configuration::get_input_process_needed_opt(), false);
}

TEST_F(Configuration, InputProcessCommand) {
  Quavor_configuration::set_invocation_name("/opt/bin/quavor");
  parse({});
  EXPECT_EQ(Quavor_configuration::get_input_process_command(), "/opt/bin/quavor_input_gui/quavor_input_gui.exe");
  Quavor_configuration::reset_for_tests();
  parse({"-ipse"});
  EXPECT_EQ(Quavor_configuration::get_input_process_command(),
            "cd src/input_gui && python /opt/../src/input_gui/quavor_input_gui.py");
  Quavor_configuration::reset_for_tests();
  parse({"-ipse", "-ipc", "gui", "-input-process-command", "gui2"});
  EXPECT_EQ(Quavor_configuration::get_input_process_command(), "gui2");
}

TEST_F(Configuration, Invocation) {
  Quavor_configuration::set_invocation_name("/opt/bin/quavor");
  // Nothing to append before completion.
  EXPECT_EQ(Quavor_configuration::get_input_process_command_invocation(),
            "\"\"/opt/bin/quavor_input_gui/quavor_input_gui.exe\"\"");
  parse({"-input-process-command-directory", "d", "-f", "a.qvc"});
  EXPECT_EQ(Quavor_configuration::get_input_process_command_invocation(),
            "\"\"/opt/bin/quavor_input_gui/quavor_input_gui.exe\" -f \"a.qvc\" -I \"d\"\"");
  Quavor_configuration::reset_for_tests();
  parse({"-ipc", "gui --x", "-ipa", "last", "-d"});
  EXPECT_EQ(Quavor_configuration::get_input_process_command_invocation(),
            "\"\"gui --x\" -I \"/home/ana\" -d True last\"");
}

TEST_F(Configuration, BatchProcedures) {
  parse({"-b", "plan.qvc"});
  EXPECT_EQ(Quavor_configuration::get_batch_mode_procedure(), Quavor_configuration::batch_mode_procedure::write_qvb);
  EXPECT_EQ(Quavor_configuration::get_input_process_needed_opt(), true);
  EXPECT_EQ(Quavor_configuration::get_input_process_source_file_name(), "plan.qvc");
  EXPECT_EQ(Quavor_configuration::batch_mode_procedure_of_name("verify-qvc"), std::nullopt);
  EXPECT_EQ(Quavor_configuration::batch_mode_procedure_of_name("verify-qvb"),
            Quavor_configuration::batch_mode_procedure::verify_qvb);
  EXPECT_EQ(Quavor_configuration::batch_mode_procedure_name(Quavor_configuration::batch_mode_procedure::write_qvc),
            "write-qvc");
}

TEST_F(Configuration, GenerateTakesAnyExtension) {
  parse({"-b", "plan.txt"});
  EXPECT_EQ(Quavor_configuration::get_input_process_source_file_name(), "plan.txt");
  EXPECT_EQ(Quavor_configuration::get_report_source_file_name(), "plan.qvb");
}

TEST_F(Configuration, AnonymousArgumentKinds) {
  struct Case {
    std::string file;
    bool is_report_source;
  };
  const std::vector<Case> cases = {{"notes.txt", false}, {"plan.qvc", false}, {"house.qvb", true}};
  const Test_support::Temporary_directory dir("quavor_conf_");
  for (const auto& c : cases) {
    Quavor_configuration::reset_for_tests();
    std::string name = (dir / c.file).string();
    std::ofstream(name) << "x";
    parse({name});
    if (c.is_report_source) {
      EXPECT_EQ(Quavor_configuration::get_report_source_file_name_opt(), name);
      EXPECT_EQ(Quavor_configuration::get_input_process_source_file_name(), std::nullopt);
    } else {
      EXPECT_EQ(Quavor_configuration::get_input_process_source_file_name(), name);
      EXPECT_EQ(Quavor_configuration::get_compute_run_mode_opt(), Quavor_configuration::run_mode::Compute_qvc_from_gui);
    }
  }
}

TEST_F(Configuration, DebuggingSwitch) {
  parse({"-d"});
  EXPECT_TRUE(Quavor_configuration::get_debug());
}

// ---------------------------------------------------------------------------
// Process exits (their texts are checked against the real binary).

TEST_F(Configuration, ExitStatuses) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
  };
  const std::vector<Case> cases = {
      {{"-v"}, 0},
      {{"-version"}, 0},
      {{"-where"}, 0},
      {{"-which-all"}, 0},
      {{"-help"}, 0},
      {{"--help"}, 0},
      {{"-unknown"}, 1},
      {{"-f"}, 1},
      {{"-f", "a.qvc", "-f", "b.qvc"}, 1},
      {{"-ipbm", "verify-qvc"}, 1},
      {{"/nonexistent-dir/nofile.qvc"}, 1},
      {{"-dif", "/nonexistent-dir/x.log"}, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(exit_status_of(c.arguments), c.status) << c.arguments[0];
}

}  // namespace
