// The question before a whole-bank send (send_question.h).
#include "shell/send_question.h"

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "shell/dialogs.h"
#include "shell/settings.h"

int ConfirmWholeBankSend(int bank) {
    if (!gAskBeforeBankSend) return 1;
    char format[kMaxMessageText + 1];
    char question[kMaxMessageText + 1] = "";
    if (CopyStringById(format, kStrAskSendWholeBank)) {
        FormatText2(question, sizeof question, format, BankTitle(bank), gDevice.name);
    }
    int dontAskAgain = 0;
    int yes = AskSendWholeBank(question, &dontAskAgain);
    if (dontAskAgain) gAskBeforeBankSend = 0;
    return yes;
}
