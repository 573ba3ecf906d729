#include "link/communication_types_read.hpp"

#include <gtest/gtest.h>

#include <string>

#include "description/input_data_types_print.hpp"
#include "link_fixtures.hpp"

namespace {

using namespace Message_types;
using Communication_types_read::scanner_input_communication;
using Communication_types_read::skip_to_end_of_communication;
using Scanning::Scanbuf;

struct Good_case {
  const char* text;
  const char* starting;
  input_message message;
  const char* closing;
};

TEST(Communication_types_read, ReadsAWellFormedCommunication) {
  const Good_case cases[] = {
      {"( Xon (\nValidate_data\n) Xoff )\n", "( Xon (", Validate_data{}, ") Xoff )"},
      {"( Xon (\nQuit\n) Xoff )", "( Xon (", Quit{}, ") Xoff )"},
      // Comments and blank lines before the markers are skipped.
      {"\n# hello\n  \n( Xon (\n# inside\nCompute_data\n\n# before the end\n) Xoff )\n", "( Xon (", Compute_data{},
       ") Xoff )"},
      // Markers are not compared: any literal line is accepted.
      {"( Start (\nInvalidate_data\n) Stop )\n", "( Start (", Invalidate_data{}, ") Stop )"},
      {"( 100%% (\nQuit\nend\n", "( 100%% (", Quit{}, "end"},
      // The closing marker is the first line after the message's end.
      {"( Xon (\nQuit ) Xoff )\n", "( Xon (", Quit{}, ") Xoff )"},
  };
  for (const auto& c : cases) {
    auto ib = Scanbuf::from_string(c.text);
    const auto read = scanner_input_communication(ib);
    EXPECT_EQ(read.starting_marker, c.starting) << c.text;
    EXPECT_EQ(read.message, c.message) << c.text;
    EXPECT_EQ(read.closing_marker, c.closing) << c.text;
  }
}

TEST(Communication_types_read, ReadsCommunicationsOneAfterTheOther) {
  auto ib = Scanbuf::from_string("( Xon (\nValidate_data\n) Xoff )\n( Xon (\nQuit\n) Xoff )\n");
  EXPECT_EQ(scanner_input_communication(ib).message, input_message{Validate_data{}});
  EXPECT_EQ(scanner_input_communication(ib).message, input_message{Quit{}});
  EXPECT_TRUE(ib.end_of_input());
}

// After a failure the buffer stands after the next ") Xoff )" line, where the
// next communication starts.
struct Recovery_case {
  const char* text;
  const char* failure;  // empty: End_of_file
  int next;             // the character after the recovery, -1 at the end
};

TEST(Communication_types_read, RecoversAfterTheNextClosingMarker) {
  const std::string h = "File \"" + Link_fixtures::string_name + "\", line ";
  const Recovery_case cases[] = {
      {"( Xon (\nValidate\n) Xoff )\nQ", "2, characters 9-17:\nUnknown input gui message 'Validate'", 'Q'},
      {"( %d (\nQuit\n) Xoff )\nQ", "bad input: format type mismatch between \"( %d (\" and \"\"", 'Q'},
      {"( Xon (\nQuit\n) %s )\nX\n) Xoff )\nQ", "bad input: format type mismatch between \") %s )\" and \"\"", 'Q'},
      // A closing line with another tag does not end the recovery.
      {"( Xon (\nvalidate\n) Xon )\nfoo\n) Xoff )\nQ", "2, characters 9-17:\nUnknown input gui message 'validate'",
       'Q'},
      // The closing pattern takes any characters up to each blank around the tag.
      {"( Xon (\nNope\n)) Xoff )\nQ", "2, characters 9-13:\nUnknown input gui message 'Nope'", 'Q'},
      // No later closing marker: the rest of the input is skipped.
      {"( Xon (\nNope\nQuit\n", "2, characters 9-13:\nUnknown input gui message 'Nope'", -1},
  };
  for (const auto& c : cases) {
    auto ib = Scanbuf::from_string(c.text);
    try {
      scanner_input_communication(ib);
      ADD_FAILURE() << "no failure: " << c.text;
    } catch (const Scan_failure& failure) {
      const std::string expected = c.failure[0] == 'b' ? std::string(c.failure) : h + c.failure;
      EXPECT_EQ(failure.what(), expected) << c.text;
    }
    EXPECT_EQ(ib.peek(), c.next) << c.text;
  }
}

TEST(Communication_types_read, AFailureInsideADescriptionSkipsItsLines) {
  auto ib = Scanbuf::from_string("( Xon (\nRead_data {\n batiment = \n  wrong ;\n  }\n) Xoff )\n( Xon (\nQuit\n) Xoff )\n");
  EXPECT_THROW(scanner_input_communication(ib), Scan_failure);
  EXPECT_EQ(scanner_input_communication(ib).message, input_message{Quit{}});
}

TEST(Communication_types_read, ACommunicationCutByTheEndOfInputIsPremature) {
  const char* cases[] = {"( Xon (\n", "( Xon (\nRead_data {", "( Xon (\nQuit\n", "( Xon (\nQuit\n# no end\n", "\n\n"};
  for (const char* text : cases) {
    auto ib = Scanbuf::from_string(text);
    EXPECT_THROW(scanner_input_communication(ib), End_of_file) << text;
    EXPECT_TRUE(ib.end_of_input()) << text;
  }
}

TEST(Communication_types_read, TheRecoveryStopsQuietlyAtTheEnd) {
  auto ib = Scanbuf::from_string("rest of line\n) Xo");
  EXPECT_THROW(skip_to_end_of_communication(ib), End_of_file);
  auto quiet = Scanbuf::from_string("rest of line\nanother\n) x y\n");
  skip_to_end_of_communication(quiet);
  EXPECT_TRUE(quiet.end_of_input());
}

// Through a frame, a message is read up to its frame's closing marker line at
// most, and a communication up to the next opening marker line at most: a
// malformed one fails there, and the next one is read.
struct Framed_case {
  const char* text;
  const char* failure;  // empty: none
  input_message next;
};

TEST(Communication_types_read, AFrameBoundsWhatAReaderTakes) {
  const std::string premature = Communication_types_read::premature_end_of_communication;
  const Framed_case cases[] = {
      // A string that is never closed stops at the closing marker line.
      {"( Xon (\nRead_data { batiment = { batiment_type = R0 ; batiment_categorie = Habitation ;\n"
       "batiment_localisation = \"12 rue\n) Xoff )\n( Xon (\nQuit\n) Xoff )\n",
       "Premature end of communication", Quit{}},
      // A garbage line is taken as a starting marker; the message stops at the
      // next opening marker line, where the next communication starts.
      {"garbage\n( Xon (\nQuit\n) Xoff )\n", "Premature end of communication", Quit{}},
      // A frame without its closing marker line ends at the next opening one.
      {"( Xon (\nInvalidate_data\n( Xon (\nQuit\n) Xoff )\n", "Premature end of communication", Quit{}},
      // Other failures recover as without a frame, and stop before an opening
      // marker line too.
      {"( Xon (\nValidate\n) Xoff )\n( Xon (\nQuit\n) Xoff )\n",
       "File \"unnamed character string\", line 2, characters 9-17:\nUnknown input gui message 'Validate'", Quit{}},
      {"( Xon (\nValidate\n\n( Xon (\nQuit\n) Xoff )\n",
       "File \"unnamed character string\", line 2, characters 9-17:\nUnknown input gui message 'Validate'", Quit{}},
      // Well-formed communications read as without a frame.
      {"( Start (\nInvalidate_data\n) Stop )\n( Xon (\nQuit\n) Xoff )\n", "", Invalidate_data{}},
      {"( Xon (\nQuit ) Xoff )\n( Xon (\nCompute_data\n) Xoff )\n", "", Quit{}},
      {"( Xon (\n# ( Xon (\nValidate_data\n\n# ) Xoff )\n) Xoff )\n", "", Validate_data{}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto raw = Scanbuf::from_string(c.text);
    Communication_frame::Framed_buffer frame(raw);
    if (c.failure[0] == '\0') {
      EXPECT_EQ(scanner_input_communication(frame).message, c.next);
      continue;
    }
    try {
      scanner_input_communication(frame);
      ADD_FAILURE() << "no failure";
    } catch (const Scan_failure& failure) {
      EXPECT_EQ(failure.what(), std::string(c.failure));
    }
    EXPECT_EQ(scanner_input_communication(frame).message, c.next);
  }
}

TEST(Communication_types_read, AFrameStillReadsAWholeDescription) {
  Format::Printer ppf;
  Input_data_types_print::printer_input_data(Og_precedence::Ck_toplevel, ppf, Link_fixtures::example_input_data());
  auto raw = Scanbuf::from_string("( Xon (\nRead_data\n" + ppf.contents() + "\n) Xoff )\n");
  Communication_frame::Framed_buffer frame(raw);
  EXPECT_EQ(scanner_input_communication(frame).message, input_message{Read_data{Link_fixtures::example_input_data()}});
  EXPECT_TRUE(frame.buffer().end_of_input());
}

// A failure after which the input ends before the frame does: the frame was
// cut, with or without a frame reader.
TEST(Communication_types_read, AFailureCutByTheEndOfInput) {
  for (const char* text : {"( Xon (\nNope\nQuit\n", "( %d (\nQuit\n"}) {
    SCOPED_TRACE(text);
    auto raw = Scanbuf::from_string(text);
    Communication_frame::Framed_buffer frame(raw);
    EXPECT_THROW(scanner_input_communication(frame), Communication_types_read::Cut_communication);
    auto plain = Scanbuf::from_string(text);
    EXPECT_THROW(scanner_input_communication(plain), Communication_types_read::Cut_communication);
  }
}

// While debugging, every communication read is echoed, as the engine writes
// it, on the input-debugging printer.
TEST(Communication_types_read, EchoesWhatItReadsWhenDebugging) {
  Link_fixtures::fresh_configuration();
  auto echo = std::make_shared<Format::Printer>();
  Quavor_configuration::set_compute_input_debugging_formatter(echo);
  auto ib = Scanbuf::from_string("( Start (\nQuit\n) Stop )\n( Xon (\nCompute_data\n) Xoff )\n");
  scanner_input_communication(ib);
  EXPECT_EQ(echo->contents(), "");
  Quavor_configuration::set_debug(true);
  scanner_input_communication(ib);
  EXPECT_EQ(echo->contents(), Link_fixtures::framed("Compute_data"));
  Quavor_configuration::reset_for_tests();
}

TEST(Communication_types_read, TheFixedMarkers) {
  EXPECT_EQ(Communication_types::get_communication_starting_tag(), "Xon");
  EXPECT_EQ(Communication_types::get_communication_starting_marker(), "( Xon (");
  EXPECT_EQ(Communication_types::get_communication_closing_tag(), "Xoff");
  EXPECT_EQ(Communication_types::get_communication_closing_marker(), ") Xoff )");
  const auto c = Communication_types::make_communication(std::string("m"));
  EXPECT_EQ(c.starting_marker, "( Xon (");
  EXPECT_EQ(c.message, "m");
  EXPECT_EQ(c.closing_marker, ") Xoff )");
}

}  // namespace
