#include "ui/help_texts.h"

#include <initializer_list>

namespace tess {

namespace {
std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text.append(line).append("\r\n");
  return text;
}
}  // namespace

// clang-format off
// How to sort.
std::string HowTo1Text() {
  return Lines({
      "● ソートする場合",
      "",
      "１．ログファイルを指定します",
      "",
      "　　　　[参照]でファイルを選択するか、ファイル名入力欄にファイルをドロップします。",
      "　　　　出力ファイル名は、指定された拡張子のものが自動で表示されますが、自由にファイル名を編集可能です。",
      "",
      "２．オプションを指定します",
      "",
      "　　　　何を基準にソートするかを指定します。",
      "　　　　不要な情報のフィルタリングを指定します。　※ 次回のプログラム起動時にはデフォルト状態に戻ります",
      "",
      "３．[ソートする]ボタンをクリックします",
      "",
      "　　　　処理中にはソート結果のファイル名表示が青くなります。",
      "　　　　処理が完了するとソート結果のファイル名表示が赤くなります。",
  });
}

// How to compare.
std::string HowTo2Text() {
  return Lines({
      "● 比較する場合",
      "",
      "１．ログファイルを２つ指定します",
      "",
      "２．ソート結果を残すかどうか指定します",
      "",
      "　　　　比較の処理は、前段階として２つのファイルをそれぞれ宛先アドレス順・時刻情報削除の状態でソートをします。",
      "　　　　このソート処理の結果ファイルを残したままにするか、比較処理が完了した時点で消去するかを選択します。",
      "　　　　※この指定は次回のプログラム起動時にも引継がれます",
      "",
      "３．[比較する]ボタンをクリックします",
      "",
      "　　　　処理中にはソート結果・比較結果のファイル名表示が青くなります。",
      "　　　　処理が完了するとソート結果・比較結果のファイル名表示が赤くなります。",
  });
}

// Batch use from the command line.
std::string HowTo3Text() {
  return Lines({
      "● コマンドラインからバッチ処理する場合",
      "",
      "Tessaline [OrgFileName]",
      "",
      "　　　　引数が１つ指定された場合、それを元のファイル名としてソートをします。",
      "　　　　出力ファイル名は、拡張子を変更したものになります。",
      "　　　　拡張子の指定は、前回起動時に指定されていたものになります。",
      "　　　　オプションは tessaline --help で確認できます。指定しなければデフォルトの状態です。",
      "　　　　処理が完了したら、自動的にプログラムが終了します。",
      "",
      "Tessaline [BeforeFileName] [AfterFileName]",
      "",
      "　　　　引数が２つ指定された場合、それを元のファイル名として比較をします。",
      "　　　　出力ファイル名は、２つめに指定されたファイルの拡張子を変更したものになります。",
      "　　　　拡張子の指定は、前回起動時に指定されていたものになります。",
      "　　　　ソート処理の結果を残すか消去するかは、前回起動時の状態に従います。",
      "　　　　処理が完了したら、自動的にプログラムが終了します。",
  });
}

// Internal behaviour: choosing files, names, colours.
std::string Tech1Text() {
  return Lines({
      "内部動作１",
      "",
      "ソート／比較対象のログファイル指は、",
      "[参照]ボタンでファイル指定・ファイルをドロップ・コマンドラインからの引数",
      "の３通りが可能です。",
      "",
      "ファイルを指定すると、結果のファイル名が自動的に表示されます。",
      "拡張子を変更したものがデフォルトですが、手動でファイル名を変更可能です。",
      "拡張子は変更可能で、次回起動時にも反映されます。",
      "",
      "比較の処理は、内部で自動的に「ソート１」「ソート２」を実施した後に",
      "比較するため、事前にソートを実施する必要はありません。",
      "また時刻情報を削除した状態で比較されます。",
      "",
      "結果ファイルの表示色：",
      "黒＝存在しないファイル名＝アクションを起こすと新規作成",
      "赤＝存在するファイル名＝処理が完了した状態／アクションを起こすと上書き",
      "青＝処理中のファイル",
  });
}

// Internal behaviour: temporary files, VRFs, the ini file; then what this
// Linux build needs at run time and what to do about garbled characters.
std::string Tech2Text() {
  return Lines({
      "内部動作２",
      "",
      "ソート中はテンポラリファイルを作成します。",
      "元ファイルの拡張子を .(1) または .(2) に変更したもので、",
      "元ファイルとほぼ同じサイズのファイルを同じフォルダ内に作成し、",
      "ソートが完了した時点で自動消去します。",
      "",
      "Ver.0.60 追記：VRF に対応",
      "　テンポラリファイルはログごとに１つで、VRF のテーブルを順に収めます。",
      "　ログの行頭に現れる [Routing Table: xxxx] と [Gateway of last resort xxxx]",
      "　の行を目印に、VRF名と各ルーティングテーブルの区切りを認識します。",
      "",
      "出力ファイルの拡張子と、「オプションに従う」「ソート結果を残す」の状態は",
      "ini ファイルに保存します。バッチ処理などで必要な指定は、",
      "前もって指定しておくか、あるいは ini ファイルを直接編集してください。",
      "ちなみにレジストリは使用していません。",
      "",
      "Linux 版の実行には Qt 6 のライブラリと日本語フォントが必要です。",
      "Debian では libqt6widgets6 と fonts-ipafont-gothic で入ります。",
      "画面の文字が化ける場合は、日本語フォントを入れてください。",
      "ログは UTF-8 か Shift-JIS で読み、結果も同じ文字コードで書きます。",
      "結果が化けて見える場合は、エディタで文字コードを指定してください。",
  });
}
// clang-format on

// The minor number is shown as the last two digits of minor + 100.
std::string AboutText(int major, int minor, const std::string& documentationAddress) {
  const std::string m = std::to_string(minor + 100);
  const std::string minorText = m.substr(m.size() - 2);
  const std::string majorText = std::to_string(major);
  const std::string versionLine = "試作版 Ver." + majorText + "." + minorText + " です";
  const std::string fileLine = "詳細は Tessaline" + majorText + minorText + ".txt をご参照ください";
  return Lines({versionLine.c_str(), fileLine.c_str(), "", "Tessaline 開発チーム",
                documentationAddress.c_str(), ""});
}

// Characters that stand for themselves in a URL path: the unreserved ones,
// the sub-delimiters, ":" and "@" (RFC 3986), and "/" between the names.
std::string DocumentationAddress(std::string_view folder) {
  static constexpr std::string_view kPlain =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~!$&'()*+,;=:@/";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string address = "file://";
  const size_t pathStart = address.size();
  for (const char c : folder) {
    if (c == '/' && address.size() > pathStart && address.back() == '/') continue;  // one "/"
    if (kPlain.find(c) != std::string_view::npos) {
      address += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0x0F];
    }
  }
  if (address.back() != '/') address += '/';
  return address;
}

}  // namespace tess
