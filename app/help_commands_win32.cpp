// The Help menu: the help pages, the web site and its support page, the
// feedback form and the about box.
#include "app/lumvik_app_win32.h"
#include "config/text_numbers.h"
#include "help/build_values.h"
#include "platform/disabled_owner_win32.h"

namespace lumvik {

void LumvikApp::AddHelpCommands() {
  command_table_.Add({kCmdHelp}, [this](int) { ShowHelp(); });
  command_table_.Add({kCmdWebSite}, [this](int) { OpenWebPage(build_values::kWebHome); });
  command_table_.Add({kCmdSupportPage}, [this](int) { OpenWebPage(build_values::kWebSupport); });
  command_table_.Add({kCmdFeedback}, [this](int) { ShowFeedback(); });
  command_table_.Add({kCmdAbout}, [this](int) { ShowAbout(); });
}

void LumvikApp::OpenWebPage(std::string_view address) {
  if (prompt_.Message(texts_[kTextProgramName], texts_[kTextOpenWebPage], Buttons::YesNo) ==
      Answer::Yes) {
    prompt_.OpenAddress(std::string(address));
  }
}

void LumvikApp::ShowHelp() {
  HelpWindow help(
      {program_, window_->window(), program_folder_, texts_, prompt_, events_, help_library_});
  help_ = &help;
  help.Run();
  help_ = nullptr;
}

void LumvikApp::ShowFeedback() {
  FeedbackForm form(
      {program_, window_->window(), texts_, settings_.langage, prompt_, events_, mail_route_});
  const DisabledOwner modal(form.window());
  feedback_ = &form;
  form.Run();
  feedback_ = nullptr;
}

void LumvikApp::ShowAbout() {
  // Decoded the first time it is shown, not at every start.
  if (!skin_.about_picture) LoadAboutPicture(program_, skin_);
  AboutBox about({program_, window_->window(), texts_, skin_.about_picture.get(), events_});
  const DisabledOwner modal(about.window());
  about_ = &about;
  about.Run();
  about_ = nullptr;
}

}  // namespace lumvik
