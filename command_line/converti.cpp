// angoli-converti: lists of angles, one a line, from files or standard input
// converted to the five-column table of "Converti elenco" on standard output.
// It reads in pieces and writes what it has before every wait, so a pipe or a
// terminal sees each line's result as soon as its line arrives, and no input,
// however long its lines, costs more memory than a few pieces.

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "command_line/platform_io.h"
#include "list/angle_list.h"
#include "version.h"

namespace angoli::cli {
namespace {

constexpr std::string_view kProgram = "angoli-converti";
constexpr std::size_t kPieceSize = 64 * 1024;

enum Status { kAllConverted = 0, kSomeRefused = 1, kTrouble = 2 };

constexpr std::string_view kHelp[] = {
    "Uso: angoli-converti [OPZIONI] [FILE...]",
    "Converte elenchi di angoli, uno per riga, letti da ciascun FILE o dallo",
    "standard input (senza FILE, o per '-'), e scrive sullo standard output una",
    "tabella di cinque colonne separate da tabulazioni: il testo della riga, i",
    "gradi decimali, i gradi e minuti decimali, i gradi minuti e secondi, una nota.",
    "Una riga vuota resta una riga vuota della tabella.",
    "",
    "  --punto     punto decimale al posto della virgola nelle colonne degli angoli",
    "  --help      mostra questo aiuto ed esce",
    "  --version   mostra la versione ed esce",
    "  --          quel che segue sono nomi di file, anche se comincia con '-'",
    "",
    "Ogni riga non convertita è segnalata anche sullo standard error, così:",
    "  angoli-converti: rilievo.txt:3: non è un angolo",
    "",
    "Stato di uscita: 0 se ogni riga non vuota è stata convertita, 1 se almeno",
    "una non lo è stata, 2 per un'opzione sconosciuta, un file che non si può",
    "leggere o un errore di scrittura.",
};

// Appends a line of the program's own, with the system's line end:
// AppendLine(text, {"a", "b"}) -> "ab\n".
void AppendLine(std::string& text, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) text += part;
  text += kLineEnd;
}

// AppendNumber(text, 12) -> text + "12"
void AppendNumber(std::string& text, std::size_t number) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  text.append(digits, end);
}

// The table and the messages for standard error, held until the next wait
// for input, and the status they add up to.
class Converter {
 public:
  explicit Converter(bool decimalPoint) : decimalPoint_(decimalPoint), piece_(kPieceSize) {}

  // Converts one input, named "-" for standard input, to its end; one that
  // cannot be read is reported and makes the status 2.
  // ConvertInput("rilievo.txt") with "45,5\nciao\n" -> two table lines, one
  // message "angoli-converti: rilievo.txt:2: non è un angolo", status 1.
  void ConvertInput(const std::string& name) {
    if (stopped_) return;
    OpenedInput input{kStandardInput, {}};
    if (name != "-") input = OpenInput(name);
    if (input.handle < 0) return Trouble(name, input.failure);
    LineSplitter splitter;
    std::size_t lineNumber = 0;
    const auto onLine = [&](std::string_view line) {
      ++lineNumber;
      if (!stopped_) ConvertLine(name, lineNumber, line);
    };
    std::string_view failure;
    while (Flush()) {
      const long count = ReadSome(input.handle, piece_.data(), piece_.size(), failure);
      if (count == 0) break;
      if (count < 0) {
        Trouble(name, failure);
        break;
      }
      splitter.Feed(std::string_view(piece_.data(), static_cast<std::size_t>(count)), onLine);
    }
    splitter.Finish(onLine);
    if (input.handle != kStandardInput) CloseInput(input.handle);
  }

  // Writes out what is held: the table first, then its messages. False once
  // standard output is gone; a reader that left says nothing of it.
  // Flush() -> true, table and messages written and emptied.
  bool Flush() {
    if (stopped_) return false;
    WriteFailure failure;
    if (!WriteAll(kStandardOutput, table_, failure)) {
      stopped_ = true;
      status_ = kTrouble;
      if (!failure.brokenPipe) AppendLine(errors_, {kProgram, ": scrittura: ", failure.reason});
    }
    table_.clear();
    WriteAll(kStandardError, errors_, failure);  // where else could it say so
    errors_.clear();
    return !stopped_;
  }

  int Status() const { return status_; }

 private:
  // One line into the table, and into the messages when it is refused:
  // ConvertLine("-", 3, "ciao") -> "ciao\t\t\t\tnon è un angolo" and
  // "angoli-converti: -:3: non è un angolo".
  void ConvertLine(const std::string& name, std::size_t lineNumber, std::string_view line) {
    const LineResult& result = converter_.Convert(line);
    AppendTableLine(table_, line, result, decimalPoint_);
    table_ += kLineEnd;
    if (result.kind == LineKind::Refused) {
      status_ = std::max<int>(status_, kSomeRefused);
      errors_.append(kProgram).append(": ").append(name) += ':';
      AppendNumber(errors_, lineNumber);
      AppendLine(errors_, {": ", result.reason});
    }
    if (table_.size() >= kPieceSize) Flush();
  }

  // Trouble("manca.txt", "file inesistente") -> status 2 and the message
  // "angoli-converti: manca.txt: file inesistente".
  void Trouble(const std::string& name, std::string_view reason) {
    status_ = kTrouble;
    AppendLine(errors_, {kProgram, ": ", name, ": ", reason});
  }

  LineConverter converter_;  // one for the whole run: a board and its texts
  const bool decimalPoint_;
  std::vector<char> piece_;
  std::string table_;
  std::string errors_;
  int status_ = kAllConverted;
  bool stopped_ = false;
};

// Writes a whole text to standard output, the help or the version; the
// status to end with: Say("angoli-converti 1.00\n") -> 0.
int Say(std::string_view text) {
  WriteFailure failure;
  return WriteAll(kStandardOutput, text, failure) ? kAllConverted : kTrouble;
}

}  // namespace

int RunConverti(const std::vector<std::string>& arguments) {
  bool decimalPoint = false, help = false, version = false, optionsEnded = false;
  std::vector<std::string> names;
  for (const std::string& argument : arguments) {
    if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
      names.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--punto") {
      decimalPoint = true;
    } else if (argument == "--help") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else {
      std::string message;
      AppendLine(message, {kProgram, ": opzione sconosciuta: ", argument});
      AppendLine(message, {"Provare '", kProgram, " --help' per l'elenco delle opzioni."});
      WriteFailure failure;
      WriteAll(kStandardError, message, failure);
      return kTrouble;
    }
  }
  if (help) {
    std::string text;
    for (std::string_view line : kHelp) AppendLine(text, {line});
    return Say(text);
  }
  if (version) {
    std::string text;
    AppendLine(text, {kProgram, " ", ANGOLI_VERSION});
    return Say(text);
  }
  if (names.empty()) names.emplace_back("-");
  Converter converter(decimalPoint);
  for (const std::string& name : names) converter.ConvertInput(name);
  converter.Flush();
  return converter.Status();
}

}  // namespace angoli::cli
